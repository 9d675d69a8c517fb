// The closure of an extended algebra (free/extension_closure.h), as one
// object shared by three files: extension_closure.cpp runs it and keeps
// the filled entries, extension_matching.cpp finds the assignments whose
// evaluation reads a filled entry, extension_lanes.cpp evaluates an
// equation under such assignments, a whole variable's values at once.
#pragma once

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "core/progress.h"
#include "core/workspace.h"
#include "free/extension_closure.h"
#include "free/line_index.h"
#include "terms/compiled_terms.h"

namespace kest::extension {

// A listed equation, compiled, with what the search reads of it.
struct Equation {
  CompiledEquation compiled;
  std::vector<int32_t> compounds;  // the distinct compound subterms (nodes) of both sides
  std::array<std::vector<int32_t>, kVariableCount> stepsReading;  // per variable, the steps that depend on it
  std::array<std::vector<uint8_t>, kVariableCount> varies;        // per variable, per step: whether it depends on it
};

// A callable passed down the recursive search without copying it.
class Callback {
 public:
  template <typename F>
  Callback(const F& f) : object_(&f), call_([](const void* o) { (*static_cast<const F*>(o))(); }) {}  // NOLINT
  void operator()() const { call_(object_); }

 private:
  const void* object_;
  void (*call_)(const void*);
};

// An entry of a table: operation, arguments (x alone for a unary one).
struct Entry {
  int32_t op;
  int32_t x;
  int32_t y;
};

class Closer {
 public:
  Closer(Workspace& ws, int32_t k, Progress& progress);
  ExtensionClosure run(const Entry& adjoined);

 private:
  // Preparing and keeping the filled entries (extension_closure.cpp).
  void addEquation(int32_t f);
  void collectCompounds(int32_t node, std::vector<uint8_t>& seen, std::vector<int32_t>& out) const;
  // Fills an entry at once, so later assignments see it; its readers are
  // looked for after the current search, which reads the preimages.
  void write(const Entry& e, int32_t v);
  void applyWrites();

  // Finding the assignments that read an entry (extension_matching.cpp).
  // Every assignment of the equations whose evaluation reads entry f.
  void readersOf(const Entry& f);
  // Calls found for every extension of the bindings under which node
  // evaluates to v.
  void match(int32_t node, int32_t v, Callback found);
  // The row or column index of a binary operation, counted when first asked for.
  const LineIndex& lineIndex(std::vector<LineIndex>& indexes, int32_t op, bool rows);
  // Whether the bindings give node a value (-1 when that is undefined).
  bool known(int32_t node, int32_t& value);
  void enumerateUnbound(const Equation& e);
  // All values of the count variables free[], the first below of them only
  // up to the element before the last; each assignment checked.
  void enumerate(const Equation& e, const int32_t* free, int32_t count, int32_t below);

  // Evaluating an equation under the bindings (extension_lanes.cpp).
  // The values of all steps of e under the bindings.
  void evaluate(const Equation& e);
  void evaluateStep(const Equation& e, size_t i);
  // One assignment: two defined sides must agree; a side undefined only in
  // its outermost operation gets the other side's value.
  void check(const Equation& e);
  void decide(const Equation& e);
  // The decision of one assignment, value(step) giving the steps' values.
  template <typename Value>
  void decideWith(const Equation& e, const Value& value);
  template <typename Value>
  void force(const TermStep& s, int32_t v, const Value& value);
  // Every value below end of variable var, the others bound: the steps
  // that read var are computed for all values at once, each in a loop of
  // its own. After a write the values still to come are computed again.
  void sweepVariable(const Equation& e, int32_t var, int32_t end);
  void lanesOfStep(const Equation& e, int32_t i, const std::vector<uint8_t>& varying, int32_t from, int32_t end);

  int32_t arity(int32_t node) const { return sig_.opArity[static_cast<size_t>(ts_.nodeOp[static_cast<size_t>(node)])]; }
  int32_t& entryRef(int32_t op, int32_t x, int32_t y) {
    return table_[static_cast<size_t>(op < sig_.binaryCount ? lay_.binary(op, x, y) : lay_.unary(op, x))];
  }
  int32_t entry(int32_t op, int32_t x, int32_t y) { return entryRef(op, x, y); }

  // Polled between sweeps; a stop ends every search like a failure.
  bool stopped() {
    if (poll_.add(1024)) stopped_ = failed_ = true;
    return stopped_;
  }

  ExtensionClosure restore(ExtensionClosure result) {
    for (const Entry& e : written_) entryRef(e.op, e.x, e.y) = -1;
    return result;
  }

  Workspace& ws_;
  const Signature& sig_;
  const TermStore& ts_;
  std::vector<int32_t>& table_;
  int32_t n_;
  TableLayout lay_;
  WorkPoll poll_;
  std::vector<Equation> equations_;
  // For each operation and value, the arguments at which it is the value.
  std::vector<std::vector<std::vector<std::pair<int32_t, int32_t>>>> preimages_;
  std::vector<LineIndex> rows_;  // per binary operation
  std::vector<LineIndex> columns_;
  std::array<int32_t, kVariableCount> bind_{};
  std::array<int32_t, kVariableCount> unbound_{};
  std::vector<int32_t> values_;  // of the steps of the equation checked last
  std::vector<int32_t> lanes_;   // of its steps that read the swept variable, per value
  std::vector<Entry> facts_;     // filled entries whose readers are still to be checked
  std::vector<Entry> pending_;   // filled during the current search
  std::vector<Entry> written_;
  bool failed_ = false;
  bool stopped_ = false;
};

}  // namespace kest::extension
