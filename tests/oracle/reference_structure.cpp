#include "tests/oracle/reference_structure.h"

#include "core/algebra_store.h"

namespace kest::oracle {

namespace {

// Tables given directly, so that the square of an algebra can be closed too.
struct Tables {
  int32_t n;
  int32_t nb;
  int32_t nu;
  const int32_t* t;
  const std::array<int32_t, kMaxOperations>* commutative;
  int64_t bin(int32_t k, int32_t x, int32_t y) const { return t[(static_cast<int64_t>(k) * n + x) * n + y]; }
  int64_t un(int32_t u, int32_t x) const {
    return t[static_cast<int64_t>(nb) * n * n + static_cast<int64_t>(u) * n + x];
  }
};

bool mergeBlocks(std::vector<int32_t>& p, int32_t u, int32_t v) {
  const int32_t ru = p[static_cast<size_t>(u)];
  const int32_t rv = p[static_cast<size_t>(v)];
  if (ru < rv)
    p[static_cast<size_t>(rv)] = ru;
  else if (rv < ru)
    p[static_cast<size_t>(ru)] = rv;
  return ru != rv;
}

void compress(std::vector<int32_t>& p) {
  for (size_t i = 1; i < p.size(); ++i) p[i] = p[static_cast<size_t>(p[i])];
}

bool unaryStage(const Tables& a, std::vector<int32_t>& p) {
  bool changed = false;
  for (int32_t u = 0; u < a.nu; ++u) {
    for (int32_t i = 0; i < a.n; ++i) {
      for (int32_t j = i + 1; j < a.n; ++j) {
        if (p[static_cast<size_t>(i)] != p[static_cast<size_t>(j)]) continue;
        const int64_t x = a.un(u, i);
        const int64_t y = a.un(u, j);
        if (x >= 0 && y >= 0) changed |= mergeBlocks(p, static_cast<int32_t>(x), static_cast<int32_t>(y));
      }
    }
    compress(p);
  }
  return changed;
}

void totalClosure(const Tables& a, std::vector<int32_t>& p) {
  for (;;) {
    bool changed = false;
    for (int32_t k = 0; k < a.nb; ++k) {
      for (int32_t i = 0; i < a.n; ++i) {
        for (int32_t j = i + 1; j < a.n; ++j) {
          if (p[static_cast<size_t>(i)] != p[static_cast<size_t>(j)]) continue;
          for (int32_t x = 0; x < a.n; ++x) {
            const int64_t l = a.bin(k, i, x);
            const int64_t r = a.bin(k, j, x);
            if (l < 0 || r < 0) continue;
            const bool merged = mergeBlocks(p, static_cast<int32_t>(l), static_cast<int32_t>(r));
            changed |= merged;
            if (!merged && !changed && !(*a.commutative)[static_cast<size_t>(k)]) {
              const int64_t l2 = a.bin(k, x, i);
              const int64_t r2 = a.bin(k, x, j);
              if (l2 >= 0 && r2 >= 0) changed |= mergeBlocks(p, static_cast<int32_t>(l2), static_cast<int32_t>(r2));
            }
            compress(p);
          }
        }
      }
    }
    if (changed) continue;
    if (!unaryStage(a, p)) return;
  }
}

void partialClosure(const Tables& a, std::vector<int32_t>& p) {
  for (;;) {
    bool changed = false;
    for (int32_t k = 0; k < a.nb; ++k) {
      for (int32_t i = 0; i < a.n; ++i) {
        for (int32_t j = i; j < a.n; ++j) {
          if (p[static_cast<size_t>(i)] != p[static_cast<size_t>(j)]) continue;
          for (int32_t x = 0; x < a.n; ++x) {
            for (int32_t y = 0; y < a.n; ++y) {
              if (p[static_cast<size_t>(x)] != p[static_cast<size_t>(y)]) continue;
              const int64_t l = a.bin(k, i, x);
              const int64_t r = a.bin(k, j, y);
              if (l < 0 || r < 0) continue;
              changed |= mergeBlocks(p, static_cast<int32_t>(l), static_cast<int32_t>(r));
              compress(p);
            }
          }
        }
      }
    }
    if (changed) continue;
    if (!unaryStage(a, p)) return;
  }
}

Tables tablesOf(const Workspace& ws, int32_t k) {
  const Algebra& alg = ws.algebra(k);
  return {alg.card, ws.sig.binaryCount, ws.sig.unaryCount, alg.table.data(), &ws.sig.opCommutative};
}

bool below(const std::vector<int32_t>& p, const std::vector<int32_t>& q) {
  for (size_t i = 0; i < p.size(); ++i) {
    if (q[static_cast<size_t>(p[i])] != q[i]) return false;
  }
  return true;
}

}  // namespace

void totalClosureReference(const Workspace& ws, int32_t k, std::vector<int32_t>& p) {
  totalClosure(tablesOf(ws, k), p);
}

void partialClosureReference(const Workspace& ws, int32_t k, std::vector<int32_t>& p) {
  partialClosure(tablesOf(ws, k), p);
}

void closureReference(const Workspace& ws, int32_t k, std::vector<int32_t>& p) {
  if (isComplete(ws, k))
    totalClosureReference(ws, k, p);
  else
    partialClosureReference(ws, k, p);
}

std::vector<std::vector<int32_t>> minimalCongruencesReference(const Workspace& ws, int32_t k) {
  const int32_t n = ws.algebra(k).card;
  std::vector<std::vector<int32_t>> cg(static_cast<size_t>(n) * n);
  std::vector<uint8_t> marked(static_cast<size_t>(n) * n, 0);
  for (int32_t a = 0; a < n; ++a) {
    for (int32_t b = a + 1; b < n; ++b) {
      std::vector<int32_t> p(static_cast<size_t>(n));
      for (int32_t i = 0; i < n; ++i) p[static_cast<size_t>(i)] = i;
      p[static_cast<size_t>(b)] = a;
      closureReference(ws, k, p);
      cg[static_cast<size_t>(a) * n + b] = std::move(p);
      marked[static_cast<size_t>(a) * n + b] = 1;
    }
  }
  for (int32_t a = 0; a < n; ++a) {
    for (int32_t b = a + 1; b < n; ++b) {
      for (int32_t c = a; c < n; ++c) {
        for (int32_t d = (c == a ? b + 1 : c + 1); d < n; ++d) {
          const auto& p = cg[static_cast<size_t>(a) * n + b];
          const auto& q = cg[static_cast<size_t>(c) * n + d];
          if (below(p, q))
            marked[static_cast<size_t>(c) * n + d] = 0;
          else if (below(q, p))
            marked[static_cast<size_t>(a) * n + b] = 0;
        }
      }
    }
  }
  std::vector<std::vector<int32_t>> out;
  for (int32_t a = 0; a < n; ++a) {
    for (int32_t b = a + 1; b < n; ++b) {
      if (marked[static_cast<size_t>(a) * n + b]) out.push_back(cg[static_cast<size_t>(a) * n + b]);
    }
  }
  return out;
}

bool isAbelianReference(const Workspace& ws, int32_t k) {
  const Tables a = tablesOf(ws, k);
  const int32_t n = a.n;
  if (n == 0) return true;
  const int32_t nn = n * n;
  std::vector<int32_t> square(static_cast<size_t>(a.nb) * nn * nn + static_cast<size_t>(a.nu) * nn);
  for (int32_t op = 0; op < a.nb; ++op) {
    for (int32_t p = 0; p < nn; ++p) {
      for (int32_t q = 0; q < nn; ++q) {
        square[(static_cast<size_t>(op) * nn + p) * nn + q] =
            static_cast<int32_t>(a.bin(op, p / n, q / n) * n + a.bin(op, p % n, q % n));
      }
    }
  }
  for (int32_t u = 0; u < a.nu; ++u) {
    for (int32_t p = 0; p < nn; ++p) {
      square[static_cast<size_t>(a.nb) * nn * nn + static_cast<size_t>(u) * nn + p] =
          static_cast<int32_t>(a.un(u, p / n) * n + a.un(u, p % n));
    }
  }
  const Tables sq{nn, a.nb, a.nu, square.data(), a.commutative};
  std::vector<int32_t> part(static_cast<size_t>(nn));
  for (int32_t i = 0; i < nn; ++i) part[static_cast<size_t>(i)] = i;
  for (int32_t x = 0; x < n; ++x) part[static_cast<size_t>(x) * (n + 1)] = 0;
  totalClosure(sq, part);
  int32_t zero = 0;
  for (int32_t v : part) zero += v == 0;
  return zero == n;
}

void closeSubuniverseReference(const Workspace& ws, int32_t k, std::vector<uint8_t>& members) {
  const Tables a = tablesOf(ws, k);
  const TableLayout lay = ws.layout(k);
  for (int32_t c = 0; c < ws.sig.constantCount; ++c) {
    const int32_t v = a.t[lay.constant(c)];
    if (v >= 0) members[static_cast<size_t>(v)] = 1;
  }
  for (bool added = true; added;) {
    added = false;
    auto add = [&](int64_t v) {
      if (v >= 0 && !members[static_cast<size_t>(v)]) members[static_cast<size_t>(v)] = 1, added = true;
    };
    for (int32_t op = 0; op < a.nb; ++op) {
      for (int32_t x = 0; x < a.n; ++x) {
        for (int32_t y = 0; y < a.n; ++y) {
          if (members[static_cast<size_t>(x)] && members[static_cast<size_t>(y)]) add(a.bin(op, x, y));
        }
      }
    }
    for (int32_t u = 0; u < a.nu; ++u) {
      for (int32_t x = 0; x < a.n; ++x) {
        if (members[static_cast<size_t>(x)]) add(a.un(u, x));
      }
    }
  }
}

std::vector<int32_t> subproductTableReference(const Workspace& ws, int32_t a, int32_t b,
                                              const std::vector<int64_t>& pairs) {
  const int32_t m = ws.algebra(b).card;
  const int64_t size = static_cast<int64_t>(pairs.size());
  const TableLayout la = ws.layout(a);
  const TableLayout lb = ws.layout(b);
  const TableLayout lp{size, ws.sig.binaryCount, ws.sig.unaryCount, ws.sig.constantCount};
  const std::vector<int32_t>& A = ws.algebra(a).table;
  const std::vector<int32_t>& B = ws.algebra(b).table;
  auto element = [&](int32_t x, int32_t y) -> int32_t {
    if (x < 0 || y < 0) return -1;
    for (int64_t i = 0; i < size; ++i) {
      if (pairs[static_cast<size_t>(i)] == static_cast<int64_t>(x) * m + y) return static_cast<int32_t>(i);
    }
    return -1;
  };
  std::vector<int32_t> t(static_cast<size_t>(lp.size()), -1);
  for (int32_t op = 0; op < ws.sig.binaryCount; ++op) {
    for (int64_t i = 0; i < size; ++i) {
      for (int64_t j = 0; j < size; ++j) {
        const int64_t pi = pairs[static_cast<size_t>(i)], pj = pairs[static_cast<size_t>(j)];
        t[static_cast<size_t>(lp.binary(op, i, j))] = element(A[static_cast<size_t>(la.binary(op, pi / m, pj / m))],
                                                              B[static_cast<size_t>(lb.binary(op, pi % m, pj % m))]);
      }
    }
  }
  for (int32_t u = ws.sig.binaryCount; u < ws.sig.binaryCount + ws.sig.unaryCount; ++u) {
    for (int64_t i = 0; i < size; ++i) {
      const int64_t pi = pairs[static_cast<size_t>(i)];
      t[static_cast<size_t>(lp.unary(u, i))] =
          element(A[static_cast<size_t>(la.unary(u, pi / m))], B[static_cast<size_t>(lb.unary(u, pi % m))]);
    }
  }
  for (int32_t c = 0; c < ws.sig.constantCount; ++c) {
    t[static_cast<size_t>(lp.constant(c))] =
        element(A[static_cast<size_t>(la.constant(c))], B[static_cast<size_t>(lb.constant(c))]);
  }
  return t;
}

}  // namespace kest::oracle
