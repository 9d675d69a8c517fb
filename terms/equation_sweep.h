// Running one equation over every assignment of its variables in odometer
// order (the last variable fastest) on a partial algebra, writing forced
// entries as soon as they are found: where one side is defined and the
// other is undefined only in its outermost operation, that entry gets the
// defined side's value. Later assignments see the writes. Values are
// computed for all values of the last variable at once and computed again
// after a write.
#pragma once

#include <cstdint>
#include <vector>

#include "core/progress.h"
#include "core/workspace.h"

namespace kest {

// What the caller does around each assignment.
class SweepHooks {
 public:
  virtual ~SweepHooks() = default;
  // Before an assignment: -1 stops the sweep (a contradiction), 1 says the
  // table changed (an entry was filled), 0 nothing.
  virtual int32_t beforeAssignment() { return 0; }
  // Both sides defined; false stops the sweep.
  virtual bool bothDefined(int32_t e1, int32_t e2) = 0;
  // An entry was written: op and its arguments (x alone for a unary op).
  virtual void wrote(int32_t op, int32_t x, int32_t y) { (void)op, (void)x, (void)y; }
};

class EquationSweep {
 public:
  EquationSweep(Workspace& ws, int32_t k);

  // Sweeps equation f (a pool id). Returns 0 when a hook stopped it, -1
  // when the user did, else the flag of the last assignment: 2 when it (or
  // the hook before it) changed the table, 1 otherwise. A ground equation
  // runs once, or, with repeatGround, as long as its assignment reports a
  // change.
  int32_t run(int32_t f, SweepHooks& hooks, bool repeatGround, Progress& progress);

 private:
  struct Step {
    int32_t op;  // -1 variable, -2 constant
    int32_t a;
    int32_t b;
    bool vector;  // depends on the last variable
  };

  void compile(const struct CompiledEquation& e);
  void evaluate(int32_t fromLane);
  int32_t value(int32_t step, int32_t lane) const {
    return values_[static_cast<size_t>(step) * static_cast<size_t>(lanes_) +
                   (steps_[static_cast<size_t>(step)].vector ? static_cast<size_t>(lane) : 0)];
  }
  bool force(int32_t step, int32_t lane, int32_t v, SweepHooks& hooks);

  Workspace& ws_;
  const Signature& sig_;
  std::vector<int32_t>& table_;
  int32_t n_;
  int32_t lanes_;
  TableLayout lay_;
  std::vector<int32_t> vars_;
  std::vector<int32_t> varPos_;
  std::vector<int32_t> outer_;
  std::vector<Step> steps_;
  std::vector<int32_t> values_;
};

}  // namespace kest
