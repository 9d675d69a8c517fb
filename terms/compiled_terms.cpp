#include "terms/compiled_terms.h"

namespace kest {

TermCompiler::TermCompiler(const TermStore& ts, const Signature& sig)
    : ts_(ts), sig_(sig), stepOf_(static_cast<size_t>(ts.nodeCount()), -1) {}

int32_t TermCompiler::add(int32_t node) {
  if (stepOf_[static_cast<size_t>(node)] >= 0) return stepOf_[static_cast<size_t>(node)];
  TermStep s{TermStep::kVariable, 0, node, 0, 0};
  if (isVariableNode(node)) {
    s.reads = 1u << node;
  } else if (ts_.isConstantNode(node)) {
    s = {TermStep::kConstant, 0, constantOfNode(node), 0, 0};
  } else {
    const int32_t op = ts_.nodeOp[static_cast<size_t>(node)];
    const bool binary = sig_.opArity[static_cast<size_t>(op)] == 2;
    const int32_t a = add(ts_.nodeLeft[static_cast<size_t>(node)]);
    const int32_t b = binary ? add(ts_.nodeRight[static_cast<size_t>(node)]) : 0;
    const uint32_t reads = steps_[static_cast<size_t>(a)].reads | (binary ? steps_[static_cast<size_t>(b)].reads : 0u);
    s = {binary ? TermStep::kBinary : TermStep::kUnary, op, a, b, reads};
  }
  steps_.push_back(s);
  stepOf_[static_cast<size_t>(node)] = static_cast<int32_t>(steps_.size()) - 1;
  return stepOf_[static_cast<size_t>(node)];
}

CompiledEquation compileEquation(const TermStore& ts, const Signature& sig, int32_t left, int32_t right) {
  TermCompiler c(ts, sig);
  CompiledEquation e;
  e.leftStep = c.add(left);
  e.rightStep = c.add(right);
  e.steps = c.steps();
  const uint32_t reads =
      e.steps[static_cast<size_t>(e.leftStep)].reads | e.steps[static_cast<size_t>(e.rightStep)].reads;
  for (int32_t v = 0; v < kVariableCount; ++v) {
    if (reads >> v & 1u) e.variables.push_back(v);
  }
  return e;
}

}  // namespace kest
