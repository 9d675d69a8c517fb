#include "tests/oracle/reference_completion.h"

#include "terms/evaluation.h"
#include "terms/term_nodes.h"

namespace kest::oracle {

namespace {

int32_t checks(Workspace& ws, int32_t k, int32_t& flag) {
  Algebra& a = ws.algebra(k);
  const TableLayout lay = ws.layout(k);
  const int32_t n = a.card;
  for (int32_t b = 0; b < ws.sig.binaryCount; ++b) {
    if (!ws.sig.opCommutative[b]) continue;
    for (int32_t x = 0; x < n; ++x) {
      for (int32_t y = 0; y < n; ++y) {
        int32_t& xy = a.table[lay.binary(b, x, y)];
        int32_t& yx = a.table[lay.binary(b, y, x)];
        if (xy < 0 && yx >= 0)
          xy = yx, flag = 2;
        else if (xy >= 0 && yx < 0)
          yx = xy, flag = 2;
        else if (xy >= 0 && yx >= 0 && xy != yx)
          return 0;
      }
    }
  }
  for (int32_t b = 0; b < ws.sig.binaryCount; ++b) {
    if (!ws.sig.opIdempotent[b]) continue;
    for (int32_t x = 0; x < n; ++x) {
      int32_t& xx = a.table[lay.binary(b, x, x)];
      if (xx < 0)
        xx = x, flag = 2;
      else if (xx != x)
        return 0;
    }
  }
  return 1;
}

void force(Workspace& ws, int32_t k, int32_t t, int32_t v, const Assignment& s, int32_t& flag) {
  Algebra& a = ws.algebra(k);
  const TableLayout lay = ws.layout(k);
  const TermStore& ts = ws.terms;
  if (t < 26) return;
  if (t < ts.firstCompoundNode) {
    a.table[lay.constant(t - 26)] = v;
    flag = 2;
    return;
  }
  const int32_t op = ts.nodeOp[t];
  const int32_t x = evaluateTerm(ws, k, ts.nodeLeft[t], s);
  if (x < 0) return;
  if (ws.sig.opArity[op] == 1) {
    a.table[lay.unary(op, x)] = v;
    flag = 2;
    return;
  }
  const int32_t y = evaluateTerm(ws, k, ts.nodeRight[t], s);
  if (y < 0) return;
  a.table[lay.binary(op, x, y)] = v;
  flag = 2;
}

int32_t completionStep(Workspace& ws, int32_t k, int32_t f) {
  const int32_t l = ws.terms.formulaA[f];
  const int32_t r = ws.terms.formulaB[f];
  Assignment s;
  s.fill(-1);
  int32_t first = -1;
  int32_t last = -1;
  for (int32_t v = 0; v < 26; ++v) {
    if (occursIn(ws, v, l) || occursIn(ws, v, r)) {
      s[v] = 0;
      if (first < 0) first = v;
      last = v;
    }
  }
  const int32_t n = ws.algebra(k).card;
  if (first >= 0 && n == 0) return 1;
  for (;;) {
    int32_t flag = 1;
    if (!checks(ws, k, flag)) return 0;
    const int32_t e1 = evaluateTerm(ws, k, l, s);
    const int32_t e2 = evaluateTerm(ws, k, r, s);
    if (e1 >= 0 && e2 >= 0 && e1 != e2) return 0;
    if (e1 < 0 && e2 >= 0)
      force(ws, k, l, e2, s, flag);
    else if (e1 >= 0 && e2 < 0)
      force(ws, k, r, e1, s, flag);
    if (first < 0) {
      if (flag == 2) continue;
      return 1;
    }
    int32_t v = last;
    while (v >= first && (s[v] < 0 || s[v] >= n - 1)) --v;
    if (v < first) v = first;
    ++s[v];
    for (int32_t w = v + 1; w <= last; ++w) {
      if (s[w] >= 0) s[w] = 0;
    }
    if (s[first] >= n) return flag;
  }
}

}  // namespace

int32_t completeByEquationsReference(Workspace& ws, int32_t k) {
  const std::vector<int32_t> backup = ws.algebra(k).table;
  for (;;) {
    int32_t result = 1;
    for (int32_t f : ws.terms.formulaList) {
      if (ws.terms.formulaKind[f] != kEquation) continue;
      result = completionStep(ws, k, f);
      if (result == 0) {
        ws.algebra(k).table = backup;
        return 0;
      }
    }
    if (result != 2) return 1;
  }
}

}  // namespace kest::oracle
