#include "structure/lattice_recognition.h"

#include "structure/lattice_order.h"

namespace kest {

namespace {

// One binary table of k as 16-bit entries (cards stay below 65536), which
// keeps the tables of a lattice of hundreds of elements in the cache.
struct SmallTable {
  int32_t n = 0;
  std::vector<uint16_t> t;
  int32_t at(int32_t x, int32_t y) const {
    return t[static_cast<size_t>(x) * static_cast<size_t>(n) + static_cast<size_t>(y)];
  }
  const uint16_t* row(int32_t x) const { return t.data() + static_cast<size_t>(x) * static_cast<size_t>(n); }
};

bool binaryTableComplete(const AlgebraView& a, int32_t op) {
  const int64_t nn = static_cast<int64_t>(a.card()) * a.card();
  const int32_t* t = a.binaryTable(op);
  for (int64_t i = 0; i < nn; ++i) {
    if (t[i] < 0) return false;
  }
  return true;
}

// Both tables of a lattice signature (+ first, . second) complete.
bool latticeComplete(const AlgebraView& a) {
  return a.signature().latticeSignature && binaryTableComplete(a, 0) && binaryTableComplete(a, 1);
}

SmallTable smallTable(const AlgebraView& a, int32_t op) {
  const size_t nn = static_cast<size_t>(a.card()) * static_cast<size_t>(a.card());
  SmallTable s{a.card(), std::vector<uint16_t>(nn)};
  const int32_t* t = a.binaryTable(op);
  for (size_t i = 0; i < nn; ++i) s.t[i] = static_cast<uint16_t>(t[i]);
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

Lattice latticeOf(const AlgebraView& a) { return {smallTable(a, 0), smallTable(a, 1)}; }

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

bool isSemilattice(const AlgebraView& a, int32_t which) {
  const int32_t op = which == 2 ? 1 : 0;
  if (a.binaryCount() <= op || !binaryTableComplete(a, op)) return false;
  return isSemilatticeTable(smallTable(a, op), noProgress());
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

const int32_t* joinTable(const AlgebraView& a) { return a.binaryTable(0); }

}  // namespace

bool isLattice(const AlgebraView& a) { return latticeComplete(a) && latticeLaws(latticeOf(a), noProgress()); }

// Distributive lattices are the modular ones without M3 (Birkhoff), and M3
// is the modular lattice that meet semidistributivity, a quasi-identity
// and so kept by sublattices, excludes.
namespace {

bool distributive(const Lattice& l, const int32_t* joinTable, Progress& p) {
  return modular(l, joinTable, p) && semidistributive(l.meet, l.join, p);
}

}  // namespace

bool isDistributive(const AlgebraView& a) { return distributive(latticeOf(a), joinTable(a), noProgress()); }

bool isModular(const AlgebraView& a) { return modular(latticeOf(a), joinTable(a), noProgress()); }

bool isMeetSemidistributive(const AlgebraView& a) {
  const Lattice l = latticeOf(a);
  return semidistributive(l.meet, l.join, noProgress());
}

bool isJoinSemidistributive(const AlgebraView& a) {
  const Lattice l = latticeOf(a);
  return semidistributive(l.join, l.meet, noProgress());
}

bool isWhitman(const AlgebraView& a) { return whitman(latticeOf(a), joinTable(a), noProgress()); }

bool isConservative(const AlgebraView& a) {
  if (a.constantCount() > 0 && a.card() > 1) return false;
  for (int32_t op = 0; op < a.binaryCount(); ++op) {
    for (int32_t x = 0; x < a.card(); ++x) {
      for (int32_t y = 0; y < a.card(); ++y) {
        const int32_t v = a.binary(op, x, y);
        if (v != x && v != y) return false;
      }
    }
  }
  for (int32_t op = a.binaryCount(); op < a.binaryCount() + a.unaryCount(); ++op) {
    for (int32_t x = 0; x < a.card(); ++x) {
      if (a.unary(op, x) != x) return false;
    }
  }
  return true;
}

LatticeVerdict recognizeLattice(const AlgebraView& a, Progress& progress) {
  LatticeVerdict v;
  if (latticeComplete(a)) {
    // The tables are read once for the laws and all five properties.
    const Lattice l = latticeOf(a);
    if (latticeLaws(l, progress)) {
      v.kind = LatticeVerdict::kLattice;
      v.properties = {distributive(l, joinTable(a), progress), modular(l, joinTable(a), progress),
                      semidistributive(l.meet, l.join, progress), semidistributive(l.join, l.meet, progress),
                      whitman(l, joinTable(a), progress)};
      return v;
    }
  }
  const Signature& sig = a.signature();
  const int32_t dot = sig.op('.');
  auto semilattice = [&](int32_t op) {
    return a.binaryCount() > op && binaryTableComplete(a, op) && isSemilatticeTable(smallTable(a, op), progress);
  };
  if (sig.op('+') == 0 && semilattice(0))
    v.kind = LatticeVerdict::kJoinSemilattice;
  else if ((dot == 0 || dot == 1) && semilattice(dot))
    v.kind = LatticeVerdict::kMeetSemilattice;
  return v;
}

}  // namespace kest
