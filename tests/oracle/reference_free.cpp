#include "tests/oracle/reference_free.h"

#include <algorithm>
#include <vector>

#include "terms/evaluation.h"
#include "terms/term_nodes.h"

namespace kest::oracle {

namespace {

struct Closing {
  Workspace& ws;
  int32_t k;
  std::vector<int32_t>& cls;
  bool changed = false;
  int32_t n() const { return ws.algebra(k).card; }
  std::vector<int32_t>& table() { return ws.algebra(k).table; }

  void merge(int32_t p, int32_t q) {
    const int32_t rp = cls[p];
    const int32_t rq = cls[q];
    if (rp == rq) return;
    cls[std::max(rp, rq)] = std::min(rp, rq);
    changed = true;
    for (int32_t x = 1; x < n(); ++x) cls[x] = cls[cls[x]];
  }

  void force(int32_t t, int32_t v, const Assignment& s) {
    const TermStore& ts = ws.terms;
    const TableLayout lay = ws.layout(k);
    if (t < 26) return;
    if (t < ts.firstCompoundNode) {
      table()[lay.constant(t - 26)] = v;
      changed = true;
      return;
    }
    const int32_t op = ts.nodeOp[t];
    const int32_t a = evaluateTerm(ws, k, ts.nodeLeft[t], s);
    if (a < 0) return;
    if (ws.sig.opArity[op] == 1) {
      table()[lay.unary(op, a)] = v;
      changed = true;
      return;
    }
    const int32_t b = evaluateTerm(ws, k, ts.nodeRight[t], s);
    if (b < 0) return;
    table()[lay.binary(op, a, b)] = v;
    changed = true;
  }
};

// The equation pass of one equation: every assignment in odometer order,
// a side undefined in its outermost operation forced to the other's value.
void equationPass(Workspace& ws, int32_t k, int32_t f, Closing& c) {
  const int32_t n = ws.algebra(k).card;
  const int32_t l = ws.terms.formulaA[f];
  const int32_t r = ws.terms.formulaB[f];
  std::vector<int32_t> vars;
  for (int32_t v = 0; v < kVariableCount; ++v) {
    if (occursIn(ws, v, l) || occursIn(ws, v, r)) vars.push_back(v);
  }
  Assignment s;
  s.fill(-1);
  for (int32_t v : vars) s[v] = 0;
  for (;;) {
    const int32_t e1 = evaluateTerm(ws, k, l, s);
    const int32_t e2 = evaluateTerm(ws, k, r, s);
    if (e1 < 0 && e2 >= 0)
      c.force(l, e2, s);
    else if (e1 >= 0 && e2 < 0)
      c.force(r, e1, s);
    else if (e1 >= 0)
      c.merge(e1, e2);
    int32_t i = static_cast<int32_t>(vars.size()) - 1;
    while (i >= 0 && s[vars[i]] == n - 1) --i;
    if (i < 0) break;
    ++s[vars[i]];
    for (size_t j = static_cast<size_t>(i) + 1; j < vars.size(); ++j) s[vars[j]] = 0;
  }
}

}  // namespace

bool closePartialAlgebraReference(Workspace& ws, int32_t k, Progress&) {
  const int32_t n = ws.algebra(k).card;
  ws.classOf.resize(static_cast<size_t>(n));
  for (int32_t x = 0; x < n; ++x) ws.classOf[x] = x;
  Closing c{ws, k, ws.classOf};
  const TableLayout lay = ws.layout(k);
  const Signature& sig = ws.sig;
  std::vector<int32_t>& t = c.table();
  do {
    c.changed = false;
    for (int32_t b = 0; b < sig.binaryCount; ++b) {
      if (!sig.opCommutative[b]) continue;
      for (int32_t x = 0; x < n; ++x) {
        for (int32_t y = x + 1; y < n; ++y) {
          int32_t& e1 = t[lay.binary(b, x, y)];
          int32_t& e2 = t[lay.binary(b, y, x)];
          if (e1 < 0 && e2 >= 0)
            e1 = e2, c.changed = true;
          else if (e1 >= 0 && e2 < 0)
            e2 = e1, c.changed = true;
          else if (e1 >= 0 && e1 != e2)
            c.merge(e1, e2);
        }
      }
    }
    for (int32_t b = 0; b < sig.binaryCount; ++b) {
      if (!sig.opIdempotent[b]) continue;
      for (int32_t x = 0; x < n; ++x) {
        int32_t& xx = t[lay.binary(b, x, x)];
        if (xx < 0)
          xx = x, c.changed = true;
        else
          c.merge(xx, x);
      }
    }
    for (int32_t b = 0; b < sig.binaryCount; ++b) {
      for (int32_t x1 = 0; x1 < n; ++x1) {
        for (int32_t x2 = 0; x2 < n; ++x2) {
          if (c.cls[x1] != c.cls[x2]) continue;
          for (int32_t y1 = 0; y1 < n; ++y1) {
            for (int32_t y2 = 0; y2 < n; ++y2) {
              if (c.cls[y1] != c.cls[y2]) continue;
              const int32_t p = t[lay.binary(b, x1, y1)];
              const int32_t q = t[lay.binary(b, x2, y2)];
              if (p >= 0 && q >= 0) c.merge(p, q);
            }
          }
        }
      }
    }
    for (int32_t u = sig.binaryCount; u < sig.binaryCount + sig.unaryCount; ++u) {
      for (int32_t x1 = 0; x1 < n; ++x1) {
        for (int32_t x2 = 0; x2 < n; ++x2) {
          if (x1 == x2 || c.cls[x1] != c.cls[x2]) continue;
          const int32_t p = t[lay.unary(u, x1)];
          const int32_t q = t[lay.unary(u, x2)];
          if (p >= 0 && q >= 0) c.merge(p, q);
        }
      }
    }
    for (int32_t f : ws.terms.formulaList) {
      if (ws.terms.formulaKind[f] == kEquation && n > 0) equationPass(ws, k, f, c);
    }
  } while (c.changed);
  return true;
}

int32_t freeInHspSizeReference(const Workspace& ws, int32_t n, int32_t k, int32_t stop) {
  const Algebra& a = ws.algebra(k);
  const int32_t m = a.card;
  const TableLayout lay = ws.layout(k);
  const Signature& sig = ws.sig;
  const int64_t limit = std::max<int64_t>(stop, sig.constantCount + n);
  int64_t len = 1;
  for (int32_t i = 0; i < n; ++i) len *= m;
  std::vector<std::vector<int32_t>> store;
  auto add = [&](std::vector<int32_t> w, bool test) {
    if (test && std::find(store.begin(), store.end(), w) != store.end()) return true;
    store.push_back(std::move(w));
    return static_cast<int64_t>(store.size()) <= limit;
  };
  for (int32_t g = 0; g < n; ++g) {
    std::vector<int32_t> w(static_cast<size_t>(len));
    for (int64_t t = 0; t < len; ++t) {
      int64_t d = t;
      for (int32_t i = n - 1; i > g; --i) d /= m;
      w[t] = static_cast<int32_t>(d % m);
    }
    if (!add(std::move(w), m == 1)) return -1;
  }
  std::vector<int32_t> seen;
  for (int32_t c = 0; c < sig.constantCount; ++c) {
    const int32_t v = a.table[lay.constant(c)];
    if (std::find(seen.begin(), seen.end(), v) != seen.end()) continue;
    seen.push_back(v);
    if (!add(std::vector<int32_t>(static_cast<size_t>(len), v), m == 1 || n == 0)) return -1;
  }
  for (size_t cur = 0; cur < store.size(); ++cur) {
    for (int32_t b = 0; b < sig.binaryCount; ++b) {
      for (size_t x = 0; x <= cur; ++x) {
        for (int dir = 0; dir < (sig.opCommutative[b] ? 1 : 2); ++dir) {
          const std::vector<int32_t>& p = dir ? store[cur] : store[x];
          const std::vector<int32_t>& q = dir ? store[x] : store[cur];
          std::vector<int32_t> w(static_cast<size_t>(len));
          for (int64_t t = 0; t < len; ++t) w[t] = a.table[lay.binary(b, p[t], q[t])];
          if (!add(std::move(w), true)) return -1;
        }
      }
    }
    for (int32_t u = sig.binaryCount; u < sig.binaryCount + sig.unaryCount; ++u) {
      std::vector<int32_t> w(static_cast<size_t>(len));
      for (int64_t t = 0; t < len; ++t) w[t] = a.table[lay.unary(u, store[cur][t])];
      if (!add(std::move(w), true)) return -1;
    }
  }
  return static_cast<int32_t>(store.size());
}

}  // namespace kest::oracle
