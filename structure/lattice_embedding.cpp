#include "structure/lattice_embedding.h"

#include <algorithm>

#include "structure/lattice_layout.h"
#include "structure/lattice_order.h"

namespace kest {

namespace {

struct LatticeTables {
  int32_t n;
  const int32_t* join;
  const int32_t* meet;
  std::vector<int32_t> chains;  // chainLengthMatrix, kind 0

  int32_t j(int32_t x, int32_t y) const {
    return join[static_cast<size_t>(x) * static_cast<size_t>(n) + static_cast<size_t>(y)];
  }
  int32_t m(int32_t x, int32_t y) const {
    return meet[static_cast<size_t>(x) * static_cast<size_t>(n) + static_cast<size_t>(y)];
  }
  int32_t chain(int32_t x, int32_t y) const {
    return chains[static_cast<size_t>(x) * static_cast<size_t>(n) + static_cast<size_t>(y)];
  }
  bool leq(int32_t x, int32_t y) const { return j(x, y) == y; }
};

LatticeTables tablesOf(const AlgebraView& a) {
  return {a.card(), a.binaryTable(0), a.binaryTable(1), chainLengthMatrix(a, kJoinFirst)};
}

// The backtracking search. Every value is tested against the earlier ones
// for the order, its reversal and the chain lengths; every join and meet
// whose arguments and value are placed is checked as soon as the last of
// them is. Both are necessary for an embedding, so the subtrees cut off
// hold none, and the first embedding in lexicographic order is the one a
// search testing the operations only at the end would find.
class Search {
 public:
  Search(const LatticeTables& a, const LatticeTables& b, bool dual) : A(a), B(b), dual_(dual) {
    // The operation checks that fall due when position p is placed.
    due_.resize(static_cast<size_t>(A.n));
    for (int32_t i = 0; i < A.n; ++i) {
      for (int32_t j = i + 1; j < A.n; ++j) {
        const int32_t last = std::max({j, A.j(i, j), A.m(i, j)});
        due_[static_cast<size_t>(last)].push_back({i, j});
      }
    }
  }

  bool run(std::vector<int32_t>& map, Progress& progress) {
    const int32_t n = A.n;
    const int32_t m = B.n;
    if (n > m) return false;
    map.assign(static_cast<size_t>(n), 0);
    if (n == 0) return true;  // the empty map embeds the empty lattice
    int32_t p = 0;
    WorkPoll poll(progress, 0x10000);
    while (true) {
      if (poll.add(1)) return false;
      if (accepts(map, p)) {
        if (p == n - 1) return true;
        map[static_cast<size_t>(++p)] = 0;
        continue;
      }
      // Next value here, or back to the nearest position with one left.
      while (map[static_cast<size_t>(p)] == m - 1) {
        if (p == 0) return false;
        --p;
      }
      ++map[static_cast<size_t>(p)];
    }
  }

 private:
  bool accepts(const std::vector<int32_t>& map, int32_t p) const {
    const int32_t x = map[static_cast<size_t>(p)];
    for (int32_t q = 0; q < p; ++q) {
      const int32_t y = map[static_cast<size_t>(q)];
      if (x == y) return false;
      const bool qp = A.leq(q, p);
      const bool pq = A.leq(p, q);
      // In the dual search the images run the other way.
      const bool yx = dual_ ? B.leq(x, y) : B.leq(y, x);
      const bool xy = dual_ ? B.leq(y, x) : B.leq(x, y);
      if (qp != yx || pq != xy) return false;
      if (qp && A.chain(q, p) > (dual_ ? B.chain(x, y) : B.chain(y, x))) return false;
      if (pq && A.chain(p, q) > (dual_ ? B.chain(y, x) : B.chain(x, y))) return false;
    }
    for (const auto& [i, j] : due_[static_cast<size_t>(p)]) {
      const int32_t u = map[static_cast<size_t>(i)];
      const int32_t v = map[static_cast<size_t>(j)];
      const int32_t join = map[static_cast<size_t>(A.j(i, j))];
      const int32_t meet = map[static_cast<size_t>(A.m(i, j))];
      if (join != (dual_ ? B.m(u, v) : B.j(u, v)) || meet != (dual_ ? B.j(u, v) : B.m(u, v))) return false;
    }
    return true;
  }

  const LatticeTables& A;
  const LatticeTables& B;
  bool dual_;
  std::vector<std::vector<std::pair<int32_t, int32_t>>> due_;
};

}  // namespace

bool findLatticeEmbedding(const AlgebraView& a, const AlgebraView& b, bool dual, std::vector<int32_t>& map,
                          Progress& progress) {
  if (a.card() > b.card()) return false;
  const LatticeTables ta = tablesOf(a);
  const LatticeTables tb = a.table() == b.table() ? ta : tablesOf(b);
  return Search(ta, tb, dual).run(map, progress);
}

}  // namespace kest
