#include "structure/congruence_lattice.h"

#include <algorithm>
#include <numeric>

#include "structure/join_closure.h"
#include "structure/packed_congruences.h"
#include "structure/packed_partitions.h"

namespace kest {

namespace {

// Joins with principal congruences, each kept as the pairs (least element
// of a block, another element of it) that generate it as an equivalence.
// Partitions are rows of Entry: one byte an element below 256 elements,
// so that a row of a small algebra is hashed and compared in a word or two.
template <class Entry>
class PrincipalJoins {
 public:
  static constexpr size_t kMostRelabelled = 8;

  PrincipalJoins(const std::vector<Partition>& generators, int32_t n) : n_(n), parent_(static_cast<size_t>(n)) {
    for (const Partition& p : generators) {
      pairs_.push_back(spanningPairs(p));
      generators_.insert(generators_.end(), p.begin(), p.end());
    }
  }

  size_t count() const { return pairs_.size(); }
  const Entry* generatorRow(size_t g) const { return generators_.data() + g * static_cast<size_t>(n_); }
  int64_t joinCost() const { return 2 * static_cast<int64_t>(n_) + 1; }

  bool generatorBelow(size_t g, const Entry* x) const {
    for (const auto& [a, b] : pairs_[g]) {
      if (x[a] != x[b]) return false;
    }
    return true;
  }

  // A generator of few pairs relabels: merging two blocks turns the larger
  // of their least elements into the smaller wherever it stands, a pass
  // that runs many entries a step. One of many pairs goes through a
  // union-find seeded with x (whose entries already name their blocks'
  // least elements): a union hangs the larger root under the smaller, so
  // every entry stays at most its element and one pass upwards reads off
  // the canonical partition.
  void joinEach(const Entry* const* xs, size_t count, size_t g, Entry* out) {
    for (size_t t = 0; t < count; ++t) join(xs[t], g, out + t * static_cast<size_t>(n_));
  }

 private:
  void join(const Entry* x, size_t g, Entry* out) {
    const std::vector<std::pair<int32_t, int32_t>>& pairs = pairs_[g];
    if (pairs.size() <= kMostRelabelled) {
      std::copy_n(x, n_, out);
      for (const auto& [a, b] : pairs) {
        const Entry la = out[a];
        const Entry lb = out[b];
        if (la == lb) continue;
        const Entry low = std::min(la, lb);
        const Entry high = std::max(la, lb);
        for (int32_t e = 0; e < n_; ++e) out[e] = out[e] == high ? low : out[e];
      }
      return;
    }
    int32_t* parent = parent_.data();
    std::copy_n(x, n_, parent);
    for (const auto& [a, b] : pairs) {
      const int32_t ra = find(a);
      const int32_t rb = find(b);
      if (ra < rb)
        parent[rb] = ra;
      else if (rb < ra)
        parent[ra] = rb;
    }
    for (int32_t e = 0; e < n_; ++e) out[e] = static_cast<Entry>(parent[e] == e ? e : out[parent[e]]);
  }

  int32_t find(int32_t x) {
    int32_t* parent = parent_.data();
    while (parent[x] != x) {
      parent[x] = parent[parent[x]];
      x = parent[x];
    }
    return x;
  }

  int32_t n_;
  std::vector<Entry> generators_;
  std::vector<std::vector<std::pair<int32_t, int32_t>>> pairs_;
  std::vector<int32_t> parent_;
};

template <class Entry>
int32_t blocksOf(const Entry* p, int32_t n) {
  int32_t count = 0;
  for (int32_t e = 0; e < n; ++e) count += p[e] == e;
  return count;
}

// The rows in list order: more blocks first, then by their entries.
template <class Entry>
LatticeListing listCongruences(const RowSet<Entry>& lattice, const std::vector<uint8_t>& irreducible, int32_t n) {
  const size_t count = lattice.size();
  std::vector<int32_t> blocks(count);
  for (size_t i = 0; i < count; ++i) blocks[i] = blocksOf(lattice.row(i), n);
  std::vector<uint32_t> order(count);
  std::iota(order.begin(), order.end(), 0u);
  std::sort(order.begin(), order.end(), [&](uint32_t x, uint32_t y) {
    if (blocks[x] != blocks[y]) return blocks[x] > blocks[y];
    return std::lexicographical_compare(lattice.row(x), lattice.row(x) + n, lattice.row(y), lattice.row(y) + n);
  });
  std::vector<int32_t> rows;
  rows.reserve(count * static_cast<size_t>(n));
  std::vector<uint8_t> flags;
  flags.reserve(count);
  for (uint32_t i : order) {
    rows.insert(rows.end(), lattice.row(i), lattice.row(i) + n);  // widened to int32_t
    flags.push_back(irreducible[i]);
  }
  return LatticeListing(std::move(rows), n, std::move(flags));
}

// The lattice from the identity and the principal congruences (in a linear
// extension), in rows of Entry.
template <class Entry>
LatticeResult closeCongruences(const std::vector<Partition>& principals, int32_t n, int64_t stop, Progress& progress) {
  PrincipalJoins<Entry> joins(principals, n);
  RowSet<Entry> lattice(static_cast<size_t>(n), kMaxLatticeEntries);
  std::vector<Entry> identity(static_cast<size_t>(n));
  for (int32_t e = 0; e < n; ++e) identity[static_cast<size_t>(e)] = static_cast<Entry>(e);
  lattice.insert(identity.data());
  std::vector<uint8_t> irreducible;
  const LatticeStatus status = closeByJoinIrreducibles(lattice, joins.count(), joins, stop, progress, irreducible);
  if (status != LatticeStatus::kDone) return {status, {}};
  return {LatticeStatus::kDone, listCongruences(lattice, irreducible, n)};
}

}  // namespace

LatticeResult congruenceLattice(const AlgebraView& alg, int64_t stop, Progress& progress) {
  const int32_t n = alg.card();
  // The bottom and the distinct principal congruences are all elements:
  // more of them than stop answer at once.
  const size_t most = static_cast<size_t>(std::max<int64_t>(stop - 1, 0));
  std::vector<Partition> principals = distinctPrincipalCongruences(alg, progress, most);
  if (progress.stopped()) return {LatticeStatus::kInterrupted, {}};
  if (principals.size() > most && static_cast<int64_t>(principals.size()) + 1 > stop)
    return {LatticeStatus::kTooMany, {}};
  // A congruence below another has more blocks: by block counts, most
  // first, the principal congruences come in a linear extension (kept in
  // the order found within one count).
  std::vector<std::vector<Partition>> byBlocks(static_cast<size_t>(n) + 1);
  for (Partition& p : principals) byBlocks[static_cast<size_t>(blocksOf(p.data(), n))].push_back(std::move(p));
  principals.clear();
  for (size_t b = byBlocks.size(); b-- > 0;) {
    for (Partition& p : byBlocks[b]) principals.push_back(std::move(p));
  }
  if (n <= kMostPackedElements) return closePackedCongruences(principals, n, stop, progress);
  if (n <= 256) return closeCongruences<uint8_t>(principals, n, stop, progress);
  if (n <= 65536) return closeCongruences<uint16_t>(principals, n, stop, progress);
  return closeCongruences<int32_t>(principals, n, stop, progress);
}

}  // namespace kest
