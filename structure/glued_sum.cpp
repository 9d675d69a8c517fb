#include "structure/glued_sum.h"

#include "core/algebra_store.h"

namespace kest {

namespace {

int32_t join(const AlgebraView& a, int32_t x, int32_t y) { return a.binary(0, x, y); }

}  // namespace

int32_t latticeBottom(const AlgebraView& a) {
  int32_t b = 0;
  for (int32_t e = 0; e < a.card(); ++e) {
    if (join(a, e, b) == b) b = e;
  }
  return b;
}

int32_t latticeTop(const AlgebraView& a) {
  int32_t t = 0;
  for (int32_t e = 0; e < a.card(); ++e) {
    if (join(a, t, e) == e) t = e;
  }
  return t;
}

int32_t gluedOrdinalSum(Workspace& ws, int32_t a, int32_t b) {
  const int32_t s = ws.algebra(a).card;
  const int32_t t = ws.algebra(b).card;
  const int32_t topA = latticeTop(ws.view(a));
  const int32_t bottomB = latticeBottom(ws.view(b));
  const int32_t r = createAlgebra(ws, s + t - 1);
  if (r < 0) return -1;
  const Algebra& A = ws.algebra(a);
  const Algebra& B = ws.algebra(b);
  Algebra& R = ws.algebra(r);
  const TableLayout la = ws.layout(a);
  const TableLayout lb = ws.layout(b);
  const TableLayout lr = ws.layout(r);
  // Element e of B in the sum.
  auto renumber = [&](int32_t e) { return e == bottomB ? topA : e < bottomB ? s + e : s + e - 1; };
  auto put = [&](int32_t op, int32_t x, int32_t y, int32_t v) {
    R.table[static_cast<size_t>(lr.binary(op, x, y))] = v;
  };
  for (int32_t op = 0; op < 2; ++op) {
    for (int32_t i = 0; i < s; ++i) {
      for (int32_t j = 0; j < s; ++j) put(op, i, j, A.table[static_cast<size_t>(la.binary(op, i, j))]);
    }
  }
  for (int32_t i = 0; i < s; ++i) {
    for (int32_t j = s; j < s + t - 1; ++j) {
      put(0, i, j, j);
      put(0, j, i, j);
      put(1, i, j, i);
      put(1, j, i, i);
    }
  }
  for (int32_t e = 0; e < t; ++e) {
    for (int32_t f = 0; f < t; ++f) {
      if (e == bottomB || f == bottomB) continue;
      for (int32_t op = 0; op < 2; ++op) {
        put(op, renumber(e), renumber(f), renumber(B.table[static_cast<size_t>(lb.binary(op, e, f))]));
      }
    }
  }
  return r;
}

}  // namespace kest
