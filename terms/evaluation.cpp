#include "terms/evaluation.h"

#include "terms/term_nodes.h"

namespace kest {

int32_t evaluateTerm(const Workspace& ws, int32_t k, int32_t t, const Assignment& s) {
  if (isVariableNode(t)) return s[static_cast<size_t>(t)];
  const Algebra& a = ws.algebra(k);
  const TableLayout lay = ws.layout(k);
  const TermStore& ts = ws.terms;
  if (t < ts.firstCompoundNode) return a.table[static_cast<size_t>(lay.constant(constantOfNode(t)))];
  const int32_t op = ts.nodeOp[static_cast<size_t>(t)];
  const int32_t l = evaluateTerm(ws, k, ts.nodeLeft[static_cast<size_t>(t)], s);
  if (l < 0) return -1;
  if (ws.sig.opArity[static_cast<size_t>(op)] == 2) {
    const int32_t r = evaluateTerm(ws, k, ts.nodeRight[static_cast<size_t>(t)], s);
    if (r < 0) return -1;
    return a.table[static_cast<size_t>(lay.binary(op, l, r))];
  }
  return a.table[static_cast<size_t>(lay.unary(op, l))];
}

int32_t formulaTruth(const Workspace& ws, int32_t k, int32_t f, const Assignment& s) {
  const TermStore& ts = ws.terms;
  const int32_t a = ts.formulaA[static_cast<size_t>(f)];
  const int32_t b = ts.formulaB[static_cast<size_t>(f)];
  switch (ts.formulaKind[static_cast<size_t>(f)]) {
    case kEquation: return evaluateTerm(ws, k, a, s) == evaluateTerm(ws, k, b, s) ? 1 : 0;
    case kConjunction: {
      const int32_t x = formulaTruth(ws, k, a, s);
      const int32_t y = formulaTruth(ws, k, b, s);
      return (x && y) ? 1 : 0;
    }
    case kDisjunction: {
      const int32_t x = formulaTruth(ws, k, a, s);
      const int32_t y = formulaTruth(ws, k, b, s);
      return (x || y) ? 1 : 0;
    }
    case kImplication: {
      const int32_t x = formulaTruth(ws, k, a, s);
      const int32_t y = formulaTruth(ws, k, b, s);
      return (!x || y) ? 1 : 0;
    }
    case kEquivalence: return formulaTruth(ws, k, a, s) == formulaTruth(ws, k, b, s) ? 1 : 0;
    case kNegation: return formulaTruth(ws, k, a, s) ? 0 : 1;
    default: return 1;
  }
}

int32_t formulaUsesVariable(const Workspace& ws, int32_t v, int32_t f) {
  const TermStore& ts = ws.terms;
  const int32_t a = ts.formulaA[static_cast<size_t>(f)];
  const int32_t b = ts.formulaB[static_cast<size_t>(f)];
  switch (ts.formulaKind[static_cast<size_t>(f)]) {
    case kEquation: return (occursIn(ws, v, a) || occursIn(ws, v, b)) ? 1 : 0;
    case kNegation: return formulaUsesVariable(ws, v, a);
    default: return (formulaUsesVariable(ws, v, a) || formulaUsesVariable(ws, v, b)) ? 1 : 0;
  }
}

}  // namespace kest
