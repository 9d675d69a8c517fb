#include "tests/oracle/reference_satisfaction.h"

namespace kest::oracle {

int32_t satisfiesReference(const Workspace& ws, int32_t k, int32_t f, Assignment& s) {
  const TermStore& ts = ws.terms;
  const int32_t a = ts.formulaA[static_cast<size_t>(f)];
  const int32_t b = ts.formulaB[static_cast<size_t>(f)];
  const bool equation = ts.formulaKind[static_cast<size_t>(f)] == kEquation;
  s.fill(-1);
  for (int32_t v = 0; v < 26; ++v) {
    if (formulaUsesVariable(ws, v, f)) s[static_cast<size_t>(v)] = 0;
  }
  int32_t first = -1;
  int32_t last = -1;
  for (int32_t v = 0; v < 26; ++v) {
    if (s[static_cast<size_t>(v)] < 0) continue;
    if (first < 0) first = v;
    last = v;
  }
  if (first < 0) {
    if (!equation) return formulaTruth(ws, k, f, s);
    const int32_t l = evaluateTerm(ws, k, a, s);
    return (l >= 0 && l == evaluateTerm(ws, k, b, s)) ? 1 : 0;
  }
  const int32_t n = ws.algebra(k).card;
  if (n == 0) return 1;
  for (;;) {
    if (equation) {
      const int32_t l = evaluateTerm(ws, k, a, s);
      if (l != evaluateTerm(ws, k, b, s) || l == -1) return 0;
    } else if (!formulaTruth(ws, k, f, s)) {
      return 0;
    }
    int32_t v = last;
    while (v >= first && (s[static_cast<size_t>(v)] < 0 || s[static_cast<size_t>(v)] >= n - 1)) --v;
    if (v < first) v = first;
    ++s[static_cast<size_t>(v)];
    for (int32_t w = v + 1; w <= last; ++w) {
      if (s[static_cast<size_t>(w)] >= 0) s[static_cast<size_t>(w)] = 0;
    }
    if (s[static_cast<size_t>(first)] >= n) return 1;
  }
}

}  // namespace kest::oracle
