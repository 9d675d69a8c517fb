// Terms compiled for evaluation over many assignments: a list of steps in
// which every step comes after the steps it reads and a subterm met twice
// is one step. The evaluators that run terms over all assignments of their
// variables (the completion's equation sweep, the formula checks, the
// closure of an extended algebra) each run such a list in their own way:
// one lane at a time, or a vector over the values of one variable.
#pragma once

#include <cstdint>
#include <vector>

#include "core/signature.h"
#include "core/term_store.h"

namespace kest {

struct TermStep {
  enum Kind : int32_t { kVariable, kConstant, kUnary, kBinary };
  Kind kind;
  int32_t op;      // the operation of a unary or binary step
  int32_t a;       // the variable (0..25), the constant (0 = the first), or the first argument's step
  int32_t b;       // the second argument's step (binary steps)
  uint32_t reads;  // bit v set: the step depends on variable v
};

// Compiles terms one after another into one list; a node compiled before
// (or one of its subterms) is not compiled again.
class TermCompiler {
 public:
  TermCompiler(const TermStore& ts, const Signature& sig);

  // The step of term node.
  int32_t add(int32_t node);

  const std::vector<TermStep>& steps() const { return steps_; }

 private:
  const TermStore& ts_;
  const Signature& sig_;
  std::vector<int32_t> stepOf_;
  std::vector<TermStep> steps_;
};

// An equation compiled: both sides in one list.
struct CompiledEquation {
  std::vector<TermStep> steps;
  int32_t leftStep = 0;
  int32_t rightStep = 0;
  std::vector<int32_t> variables;  // the occurring ones, increasing
};

CompiledEquation compileEquation(const TermStore& ts, const Signature& sig, int32_t left, int32_t right);

}  // namespace kest
