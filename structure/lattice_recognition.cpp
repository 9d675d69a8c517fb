#include "structure/lattice_recognition.h"

#include "core/algebra_store.h"
#include "structure/lattice_order.h"

namespace kest {

namespace {

// One binary table of k as 16-bit entries (cards stay below 65536), which
// keeps the tables of a lattice of hundreds of elements in the cache.
struct SmallTable {
  int32_t n = 0;
  std::vector<uint16_t> t;
  int32_t at(int32_t x, int32_t y) const { return t[static_cast<size_t>(x) * static_cast<size_t>(n) + static_cast<size_t>(y)]; }
  const uint16_t* row(int32_t x) const { return t.data() + static_cast<size_t>(x) * static_cast<size_t>(n); }
};

bool binaryTableComplete(const Workspace& ws, int32_t k, int32_t op) {
  const Algebra& a = ws.algebras[static_cast<size_t>(k)];
  const size_t nn = static_cast<size_t>(a.card) * static_cast<size_t>(a.card);
  for (size_t i = op * nn; i < (op + 1) * nn; ++i) {
    if (a.table[i] < 0) return false;
  }
  return true;
}

SmallTable smallTable(const Workspace& ws, int32_t k, int32_t op) {
  const Algebra& a = ws.algebras[static_cast<size_t>(k)];
  const size_t nn = static_cast<size_t>(a.card) * static_cast<size_t>(a.card);
  SmallTable s{a.card, std::vector<uint16_t>(nn)};
  for (size_t i = 0; i < nn; ++i) s.t[i] = static_cast<uint16_t>(a.table[op * nn + i]);
  return s;
}

bool commutative(const SmallTable& t) {
  for (int32_t x = 0; x < t.n; ++x) {
    for (int32_t y = 0; y < x; ++y) {
      if (t.at(x, y) != t.at(y, x)) return false;
    }
  }
  return true;
}

// A commutative idempotent operation is associative exactly when for all
// x, y the elements z with (x o y) o z = z are those with x o z = z and
// y o z = z: then x o y is the least upper bound in the order z o u = u,
// which is an order by the same condition. Tested on bit rows of these
// up-sets, a word of elements at a time.
bool associativeWhenCommutativeIdempotent(const SmallTable& t, Progress& p) {
  const int32_t n = t.n;
  BitRows up(n);
  for (int32_t x = 0; x < n; ++x) {
    const uint16_t* row = t.row(x);
    for (int32_t z = 0; z < n; ++z) {
      if (row[z] == z) up.set(x, z);
    }
  }
  for (int32_t x = 0; x < n; ++x) {
    if (p.stopRequested()) return false;
    const uint64_t* ux = up.row(x);
    const uint16_t* row = t.row(x);
    for (int32_t y = x + 1; y < n; ++y) {
      const uint64_t* uy = up.row(y);
      const uint64_t* uxy = up.row(row[y]);
      for (int32_t w = 0; w < up.words(); ++w) {
        if ((ux[w] & uy[w]) != uxy[w]) return false;
      }
    }
  }
  return true;
}

bool isSemilatticeTable(const SmallTable& t, Progress& p) {
  for (int32_t x = 0; x < t.n; ++x) {
    if (t.at(x, x) != x) return false;
  }
  return commutative(t) && associativeWhenCommutativeIdempotent(t, p);
}

// The join and meet of a complete lattice-signature algebra.
struct Lattice {
  SmallTable join;
  SmallTable meet;
  int32_t n() const { return join.n; }
  bool leq(int32_t x, int32_t y) const { return join.at(x, y) == y; }
};

Lattice latticeOf(const Workspace& ws, int32_t k) { return {smallTable(ws, k, 0), smallTable(ws, k, 1)}; }

// If x o y = x o z then x o y = x o (y * z): semidistributivity of o. For
// each x the y with x o y = a must be closed under *, which holds exactly
// when their *-fold (a finite lattice has it) still gives a: n^2 steps.
bool semidistributive(const SmallTable& o, const SmallTable& star, Progress& p) {
  const int32_t n = o.n;
  std::vector<int32_t> fold(static_cast<size_t>(n), -1);
  std::vector<int32_t> used;
  for (int32_t x = 0; x < n; ++x) {
    if (p.stopRequested()) return false;
    const uint16_t* ox = o.row(x);
    for (int32_t y = 0; y < n; ++y) {
      int32_t& f = fold[ox[y]];
      if (f < 0) used.push_back(ox[y]);
      f = f < 0 ? y : star.at(f, y);
    }
    bool closed = true;
    for (int32_t a : used) {
      closed &= ox[fold[static_cast<size_t>(a)]] == a;
      fold[static_cast<size_t>(a)] = -1;
    }
    used.clear();
    if (!closed) return false;
  }
  return true;
}

}  // namespace

bool isSemilattice(const Workspace& ws, int32_t k, int32_t which) {
  if (!ws.validAlgebra(k)) return false;
  const int32_t op = which == 2 ? 1 : 0;
  if (ws.sig.binaryCount <= op || !binaryTableComplete(ws, k, op)) return false;
  return isSemilatticeTable(smallTable(ws, k, op), noProgress());
}

namespace {

bool latticeLaws(const Lattice& l, Progress& p) {
  // The absorption laws make both operations idempotent: x + x =
  // x + (x . (x + x)) = x; so both must be semilattices.
  if (!isSemilatticeTable(l.join, p) || !isSemilatticeTable(l.meet, p)) return false;
  for (int32_t x = 0; x < l.n(); ++x) {
    for (int32_t y = 0; y < l.n(); ++y) {
      if (l.join.at(l.meet.at(x, y), y) != y || l.meet.at(l.join.at(x, y), y) != y) return false;
    }
  }
  return true;
}

// A finite lattice is modular exactly when it is upper and lower
// semimodular: x.y covered by x gives y covered by x + y, and x covered by
// x + y gives x.y covered by y. With the covering relation as bit rows
// that is n^2 steps instead of the n^3 of the law itself.
bool modular(const Lattice& l, const int32_t* joinTable, Progress& p) {
  const int32_t n = l.n();
  const OrderSets sets = orderSets(TableOrder{joinTable, n, true});
  BitRows covered(n);  // covered.test(y, x): x is covered by y
  const std::vector<std::vector<int32_t>> lower = lowerCovers(sets, p);
  if (p.stopped()) return false;
  for (int32_t y = 0; y < n; ++y) {
    for (int32_t x : lower[static_cast<size_t>(y)]) covered.set(y, x);
  }
  for (int32_t x = 0; x < n; ++x) {
    if (p.stopRequested()) return false;
    const uint16_t* jx = l.join.row(x);
    const uint16_t* mx = l.meet.row(x);
    for (int32_t y = 0; y < n; ++y) {
      if (covered.test(x, mx[y]) && !covered.test(jx[y], y)) return false;
      if (covered.test(jx[y], x) && !covered.test(y, mx[y])) return false;
    }
  }
  return true;
}

// A failure of Whitman's condition is an m = x.y and an s = u + v with
// m <= s, x and y not below s, and m below neither u nor v (x and y are
// then incomparable by themselves). For each m the s reached by some such
// x, y, and for each s the m reached by some such u, v, are collected as
// bit rows over all pairs; a failure is an m <= s found in both.
bool whitman(const Lattice& l, const int32_t* joinTable, Progress& p) {
  const int32_t n = l.n();
  const OrderSets sets = orderSets(TableOrder{joinTable, n, true});
  const int32_t words = sets.up.words();
  BitRows sAbove(n);  // sAbove.test(m, s): some x.y = m with x, y not below s
  BitRows mBelow(n);  // mBelow.test(s, m): some u + v = s with m below neither
  for (int32_t x = 0; x < n; ++x) {
    if (p.stopRequested()) return false;
    for (int32_t y = x + 1; y < n; ++y) {
      uint64_t* a = sAbove.row(l.meet.at(x, y));
      const uint64_t* ux = sets.up.row(x);
      const uint64_t* uy = sets.up.row(y);
      for (int32_t w = 0; w < words; ++w) a[w] |= ~(ux[w] | uy[w]);
      uint64_t* b = mBelow.row(l.join.at(x, y));
      const uint64_t* dx = sets.down.row(x);
      const uint64_t* dy = sets.down.row(y);
      for (int32_t w = 0; w < words; ++w) b[w] |= ~(dx[w] | dy[w]);
    }
  }
  for (int32_t m = 0; m < n; ++m) {
    for (int32_t s = 0; s < n; ++s) {
      if (sets.up.test(m, s) && sAbove.test(m, s) && mBelow.test(s, m)) return false;
    }
  }
  return true;
}

const int32_t* joinTable(const Workspace& ws, int32_t k) { return ws.algebras[static_cast<size_t>(k)].table.data(); }

}  // namespace

bool isLattice(const Workspace& ws, int32_t k) {
  return isLatticeComplete(ws, k) && latticeLaws(latticeOf(ws, k), noProgress());
}

// Distributive lattices are the modular ones without M3 (Birkhoff), and M3
// is the modular lattice that meet semidistributivity, a quasi-identity
// and so kept by sublattices, excludes.
namespace {

bool distributive(const Lattice& l, const int32_t* joinTable, Progress& p) {
  return modular(l, joinTable, p) && semidistributive(l.meet, l.join, p);
}

}  // namespace

bool isDistributive(const Workspace& ws, int32_t k) { return distributive(latticeOf(ws, k), joinTable(ws, k), noProgress()); }

bool isModular(const Workspace& ws, int32_t k) { return modular(latticeOf(ws, k), joinTable(ws, k), noProgress()); }

bool isMeetSemidistributive(const Workspace& ws, int32_t k) {
  const Lattice l = latticeOf(ws, k);
  return semidistributive(l.meet, l.join, noProgress());
}

bool isJoinSemidistributive(const Workspace& ws, int32_t k) {
  const Lattice l = latticeOf(ws, k);
  return semidistributive(l.join, l.meet, noProgress());
}

bool isWhitman(const Workspace& ws, int32_t k) { return whitman(latticeOf(ws, k), joinTable(ws, k), noProgress()); }

bool isConservative(const Workspace& ws, int32_t k) {
  const Algebra& a = ws.algebras[static_cast<size_t>(k)];
  const TableLayout lay = ws.layout(k);
  if (ws.sig.constantCount > 0 && a.card > 1) return false;
  for (int32_t op = 0; op < ws.sig.binaryCount; ++op) {
    for (int32_t x = 0; x < a.card; ++x) {
      for (int32_t y = 0; y < a.card; ++y) {
        const int32_t v = a.table[static_cast<size_t>(lay.binary(op, x, y))];
        if (v != x && v != y) return false;
      }
    }
  }
  for (int32_t op = ws.sig.binaryCount; op < ws.sig.binaryCount + ws.sig.unaryCount; ++op) {
    for (int32_t x = 0; x < a.card; ++x) {
      if (a.table[static_cast<size_t>(lay.unary(op, x))] != x) return false;
    }
  }
  return true;
}

LatticeVerdict recognizeLattice(const Workspace& ws, int32_t k, Progress& progress) {
  LatticeVerdict v;
  if (isLatticeComplete(ws, k)) {
    // The tables are read once for the laws and all five properties.
    const Lattice l = latticeOf(ws, k);
    if (latticeLaws(l, progress)) {
      v.kind = LatticeVerdict::kLattice;
      v.properties = {distributive(l, joinTable(ws, k), progress), modular(l, joinTable(ws, k), progress),
                      semidistributive(l.meet, l.join, progress), semidistributive(l.join, l.meet, progress),
                      whitman(l, joinTable(ws, k), progress)};
      return v;
    }
  }
  const int32_t dot = ws.sig.op('.');
  auto semilattice = [&](int32_t op) {
    return ws.sig.binaryCount > op && binaryTableComplete(ws, k, op) && isSemilatticeTable(smallTable(ws, k, op), progress);
  };
  if (ws.sig.op('+') == 0 && semilattice(0)) v.kind = LatticeVerdict::kJoinSemilattice;
  else if ((dot == 0 || dot == 1) && semilattice(dot)) v.kind = LatticeVerdict::kMeetSemilattice;
  return v;
}

}  // namespace kest
