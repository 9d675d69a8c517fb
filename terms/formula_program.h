// A formula compiled into a flat evaluation order for exhaustive checks.
// The occurring variables v0 < v1 < ... < v(m-1) are enumerated like an
// odometer, the last fastest. Every term node and subformula gets a level:
// the highest variable position it depends on (-1 for ground ones). Values
// of level m-1 are vectors over all n values of the last variable; the
// others are scalars, recomputed only when a variable at or below their
// level changes. The result is the same verdict and the same first
// counterexample as evaluating the formula afresh for every assignment.
#pragma once

#include <cstdint>
#include <vector>

#include "core/progress.h"
#include "core/workspace.h"
#include "terms/compiled_terms.h"
#include "terms/evaluation.h"

namespace kest {

enum class Verdict { kSatisfied, kNotSatisfied, kInterrupted };

class FormulaProgram {
 public:
  // Compiles formula f for algebra k (which must stay unchanged while the
  // program runs). Needs at least one occurring variable.
  FormulaProgram(const Workspace& ws, int32_t k, int32_t f, const std::vector<int32_t>& variables);

  // Tries every assignment in odometer order; on failure s holds the first
  // counterexample, on success the odometer's final state.
  Verdict run(Assignment& s, Progress& progress);

 private:
  enum class Code : uint8_t { kVariable, kConstant, kBinary, kUnary, kEqual, kAnd, kOr, kImplies, kIff, kNot };
  struct Step {
    Code code;
    int32_t level;
    int32_t a;                  // operand step, or the variable position, or the table index
    int32_t b;                  // second operand step
    int64_t base;               // table offset of the operation
    const int32_t* transposed;  // the op's table by columns, when one is kept
    int64_t slot;               // offset of the value in values_
  };

  int32_t termStep(int32_t node);
  int32_t programStepOf(const TermStep& t);
  int32_t formulaStep(int32_t f);
  int32_t addStep(Code code, int32_t level, int32_t a, int32_t b, int64_t base);
  const int32_t* transposedTable(int32_t op);
  void computeScalar(const Step& st);
  template <bool kCheck>
  void computeVector(const Step& st);
  template <bool kCheck>
  void computeBinary(const Step& st, int32_t* __restrict out, size_t self);
  bool vec(int32_t step) const { return steps_[static_cast<size_t>(step)].level == last_; }
  bool isLastVariable(int32_t step) const {
    return steps_[static_cast<size_t>(step)].code == Code::kVariable && vec(step);
  }
  int32_t firstFailingLane(bool topEquation) const;

  const Workspace& ws_;
  const int32_t* table_;
  int32_t n_;
  bool complete_;
  std::vector<int32_t> variables_;
  int32_t last_;  // position of the last variable, m-1
  std::vector<Step> steps_;
  TermCompiler terms_;
  std::vector<int32_t> programStep_;  // per step of terms_
  std::vector<int32_t> formulaStep_;
  std::vector<int32_t> values_;
  // Where each step's current value is: its own slot, or (for a vector
  // that is a table row or a unary table) the table itself.
  std::vector<const int32_t*> view_;
  // Transposed binary tables, for steps whose left operand varies over the
  // last variable and whose right one does not: a column becomes a row.
  std::vector<std::vector<int32_t>> transposed_;
  std::vector<int32_t> outerValues_;
  int32_t top_ = -1;
  bool topEquation_ = false;
};

}  // namespace kest
