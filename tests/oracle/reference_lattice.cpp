#include "tests/oracle/reference_lattice.h"

#include <cmath>
#include <cstring>

#include "core/algebra_store.h"
#include "structure/lattice_order.h"

namespace kest::oracle {

namespace {

struct Tables {
  const Algebra& a;
  int32_t n() const { return a.card; }
  int32_t j(int32_t x, int32_t y) const { return a.table[static_cast<size_t>(x * a.card + y)]; }
  int32_t m(int32_t x, int32_t y) const { return a.table[static_cast<size_t>(a.card * a.card + x * a.card + y)]; }
  bool leq(int32_t x, int32_t y) const { return j(x, y) == y; }
};

Tables tables(const Workspace& ws, int32_t k) { return {ws.algebra(k)}; }

int32_t entry(const Algebra& a, int32_t op, int32_t x, int32_t y) {
  return a.table[static_cast<size_t>(op * a.card * a.card + x * a.card + y)];
}

}  // namespace

bool referenceIsSemilattice(const Workspace& ws, int32_t k, int32_t op) {
  const Algebra& a = ws.algebra(k);
  const int32_t n = a.card;
  for (int32_t x = 0; x < n; ++x) {
    if (entry(a, op, x, x) != x) return false;
    for (int32_t y = 0; y < n; ++y) {
      if (entry(a, op, x, y) != entry(a, op, y, x)) return false;
      for (int32_t z = 0; z < n; ++z)
        if (entry(a, op, entry(a, op, x, y), z) != entry(a, op, x, entry(a, op, y, z))) return false;
    }
  }
  return true;
}

bool referenceIsLattice(const Workspace& ws, int32_t k) {
  const Algebra& a = ws.algebra(k);
  const int32_t n = a.card;
  for (int32_t x = 0; x < n; ++x)
    for (int32_t y = 0; y < n; ++y) {
      for (int32_t op = 0; op < 2; ++op) {
        if (entry(a, op, x, y) != entry(a, op, y, x)) return false;
        for (int32_t z = 0; z < n; ++z)
          if (entry(a, op, entry(a, op, x, y), z) != entry(a, op, x, entry(a, op, y, z))) return false;
      }
      if (entry(a, 0, entry(a, 1, x, y), y) != y || entry(a, 1, entry(a, 0, x, y), y) != y) return false;
    }
  return true;
}

bool referenceDistributive(const Workspace& ws, int32_t k) {
  const Tables t = tables(ws, k);
  for (int32_t x = 0; x < t.n(); ++x)
    for (int32_t y = 0; y < t.n(); ++y)
      for (int32_t z = 0; z < t.n(); ++z)
        if (t.m(x, t.j(y, z)) != t.j(t.m(x, y), t.m(x, z))) return false;
  return true;
}

bool referenceModular(const Workspace& ws, int32_t k) {
  const Tables t = tables(ws, k);
  for (int32_t x = 0; x < t.n(); ++x)
    for (int32_t y = 0; y < t.n(); ++y)
      for (int32_t z = 0; z < t.n(); ++z)
        if (x != y && t.leq(x, y) && t.m(t.j(x, z), y) != t.j(x, t.m(z, y))) return false;
  return true;
}

bool referenceMeetSemidistributive(const Workspace& ws, int32_t k) {
  const Tables t = tables(ws, k);
  for (int32_t x = 0; x < t.n(); ++x)
    for (int32_t y = 0; y < t.n(); ++y)
      for (int32_t z = 0; z < t.n(); ++z)
        if (t.m(x, y) == t.m(x, z) && t.m(x, y) != t.m(x, t.j(y, z))) return false;
  return true;
}

bool referenceJoinSemidistributive(const Workspace& ws, int32_t k) {
  const Tables t = tables(ws, k);
  for (int32_t x = 0; x < t.n(); ++x)
    for (int32_t y = 0; y < t.n(); ++y)
      for (int32_t z = 0; z < t.n(); ++z)
        if (t.j(x, y) == t.j(x, z) && t.j(x, y) != t.j(x, t.m(y, z))) return false;
  return true;
}

bool referenceWhitman(const Workspace& ws, int32_t k) {
  const Tables t = tables(ws, k);
  const int32_t n = t.n();
  for (int32_t x = 0; x < n; ++x) {
    for (int32_t y = 0; y < n; ++y) {
      if (t.leq(x, y) || t.leq(y, x)) continue;
      const int32_t xy = t.m(x, y);
      for (int32_t u = 0; u < n; ++u) {
        for (int32_t v = 0; v < n; ++v) {
          const int32_t s = t.j(u, v);
          if (t.leq(xy, s) && !t.leq(x, s) && !t.leq(y, s) && !t.leq(xy, u) && !t.leq(xy, v)) return false;
        }
      }
    }
  }
  return true;
}

std::vector<int32_t> referenceChainLengthMatrix(const Workspace& ws, int32_t k, int32_t kind) {
  const TableOrder order = tableOrder(ws.view(k), kind);
  const int32_t n = order.n;
  std::vector<int32_t> m(static_cast<size_t>(n * n), -1);
  auto e = [&](int32_t i, int32_t j) -> int32_t& { return m[static_cast<size_t>(i * n + j)]; };
  for (int32_t i = 0; i < n; ++i)
    for (int32_t j = 0; j < n; ++j) e(i, j) = i == j ? 0 : order.less(i, j) ? 1 : -1;
  bool changed = true;
  while (changed) {
    changed = false;
    for (int32_t i = 0; i < n; ++i)
      for (int32_t c = 0; c < n; ++c) {
        if (!order.less(i, c)) continue;
        for (int32_t j = 0; j < n; ++j) {
          if (order.less(c, j) && e(i, c) + e(c, j) > e(i, j)) {
            e(i, j) = e(i, c) + e(c, j);
            changed = true;
          }
        }
      }
  }
  return m;
}

bool referenceLatticeEmbedding(const Workspace& ws, int32_t a, int32_t b, bool dual, std::vector<int32_t>& map) {
  const Tables A = tables(ws, a);
  const Tables B = tables(ws, b);
  const int32_t n = A.n();
  const int32_t m = B.n();
  if (n > m) return false;
  const std::vector<int32_t> ra = referenceChainLengthMatrix(ws, a, kJoinFirst);
  const std::vector<int32_t> rb = referenceChainLengthMatrix(ws, b, kJoinFirst);
  auto RA = [&](int32_t i, int32_t j) { return ra[static_cast<size_t>(i * n + j)]; };
  auto RB = [&](int32_t i, int32_t j) { return rb[static_cast<size_t>(i * m + j)]; };
  map.assign(static_cast<size_t>(n), 0);
  int32_t p = 0;
  while (true) {
    bool ok = true;
    const int32_t x = map[static_cast<size_t>(p)];
    if (p < n - 1) {
      for (int32_t q = 0; q < p && ok; ++q) {
        const int32_t y = map[static_cast<size_t>(q)];
        if (x == y)
          ok = false;
        else if (!dual) {
          ok = A.leq(q, p) == B.leq(y, x) && A.leq(p, q) == B.leq(x, y) && (!A.leq(q, p) || RA(q, p) <= RB(y, x)) &&
               (!A.leq(p, q) || RA(p, q) <= RB(x, y));
        } else {
          ok = A.leq(q, p) == B.leq(x, y) && A.leq(p, q) == B.leq(y, x) && (!A.leq(q, p) || RA(q, p) <= RB(x, y)) &&
               (!A.leq(p, q) || RA(p, q) <= RB(y, x));
        }
      }
      if (ok) {
        map[static_cast<size_t>(++p)] = 0;
        continue;
      }
    } else {
      for (int32_t q = 0; q < p && ok; ++q) ok = map[static_cast<size_t>(q)] != x;
      for (int32_t i = 0; i < n && ok; ++i)
        for (int32_t j = i + 1; j < n && ok; ++j) {
          const int32_t u = map[static_cast<size_t>(i)];
          const int32_t v = map[static_cast<size_t>(j)];
          const int32_t join = map[static_cast<size_t>(A.j(i, j))];
          const int32_t meet = map[static_cast<size_t>(A.m(i, j))];
          ok = dual ? join == B.m(u, v) && meet == B.j(u, v) : join == B.j(u, v) && meet == B.m(u, v);
        }
      if (ok) return true;
    }
    while (map[static_cast<size_t>(p)] == m - 1) {
      if (p == 0) return false;
      --p;
    }
    ++map[static_cast<size_t>(p)];
  }
}

std::vector<OrderMatrix> latticeOrders(int32_t maxCard) {
  std::vector<OrderMatrix> out;
  for (int32_t n = 1; n <= maxCard; ++n) {
    std::vector<std::pair<int32_t, int32_t>> pairs;  // possible strict pairs among the middle elements
    for (int32_t i = 1; i < n - 1; ++i)
      for (int32_t j = i + 1; j < n - 1; ++j) pairs.push_back({i, j});
    for (uint32_t mask = 0; mask < (1u << pairs.size()); ++mask) {
      OrderMatrix leq(static_cast<size_t>(n * n), 0);
      auto le = [&](int32_t i, int32_t j) -> uint8_t& { return leq[static_cast<size_t>(i * n + j)]; };
      for (int32_t i = 0; i < n; ++i) {
        le(i, i) = 1;
        le(0, i) = 1;
        le(i, n - 1) = 1;
      }
      for (size_t p = 0; p < pairs.size(); ++p)
        if (mask >> p & 1u) le(pairs[p].first, pairs[p].second) = 1;
      bool transitive = true;
      for (int32_t i = 0; i < n && transitive; ++i)
        for (int32_t j = 0; j < n && transitive; ++j)
          for (int32_t l = 0; l < n && transitive; ++l) transitive = !(le(i, j) && le(j, l)) || le(i, l);
      if (!transitive) continue;
      // A bounded order is a lattice when every two elements have a least upper bound.
      bool lattice = true;
      for (int32_t x = 0; x < n && lattice; ++x)
        for (int32_t y = 0; y < n && lattice; ++y) {
          int32_t least = -1;
          for (int32_t z = 0; z < n; ++z)
            if (le(x, z) && le(y, z) && (least < 0 || le(z, least))) least = z;
          for (int32_t z = 0; z < n; ++z)
            if (le(x, z) && le(y, z) && !le(least, z)) lattice = false;
        }
      if (lattice) out.push_back(leq);
    }
  }
  return out;
}

int32_t addLatticeOfOrder(Workspace& ws, const OrderMatrix& leq) {
  const int32_t n = static_cast<int32_t>(std::lround(std::sqrt(static_cast<double>(leq.size()))));
  const int32_t k = createAlgebra(ws, n);
  std::vector<int32_t>& t = ws.algebra(k).table;
  auto le = [&](int32_t i, int32_t j) { return leq[static_cast<size_t>(i * n + j)] != 0; };
  for (int32_t x = 0; x < n; ++x)
    for (int32_t y = 0; y < n; ++y) {
      int32_t join = -1;
      int32_t meet = -1;
      for (int32_t z = 0; z < n; ++z) {
        if (le(x, z) && le(y, z) && (join < 0 || le(z, join))) join = z;
        if (le(z, x) && le(z, y) && (meet < 0 || le(meet, z))) meet = z;
      }
      t[static_cast<size_t>(x * n + y)] = join;
      t[static_cast<size_t>(n * n + x * n + y)] = meet;
    }
  return k;
}

int32_t addLatticeOfJoin(Workspace& ws, const std::vector<const char*>& rows) {
  const int32_t n = static_cast<int32_t>(rows.size());
  OrderMatrix leq(static_cast<size_t>(n * n));
  for (int32_t x = 0; x < n; ++x)
    for (int32_t y = 0; y < n; ++y) leq[static_cast<size_t>(x * n + y)] = rows[static_cast<size_t>(x)][y] - 'a' == y;
  return addLatticeOfOrder(ws, leq);
}

}  // namespace kest::oracle
