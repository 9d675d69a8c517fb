#include "structure/packed_congruences.h"

#include <algorithm>

#include "core/radix_sort.h"
#include "structure/join_closure.h"
#include "structure/packed_partitions.h"

namespace kest {

namespace {

uint64_t packed(const Partition& p) {
  uint64_t w = kPackedIdentity;
  for (size_t e = 0; e < p.size(); ++e) {
    w &= ~(uint64_t{0xf} << (4 * e));
    w |= static_cast<uint64_t>(p[e]) << (4 * e);
  }
  return w;
}

// Joins with principal congruences, each kept as the pairs (least element
// of a block, another element of it) that generate it.
class PackedJoins {
 public:
  explicit PackedJoins(const std::vector<Partition>& generators) {
    for (const Partition& p : generators) {
      pairs_.push_back(spanningPairs(p));
      generators_.push_back(packed(p));
    }
  }

  size_t count() const { return pairs_.size(); }
  const uint64_t* generatorRow(size_t g) const { return &generators_[g]; }
  int64_t joinCost() const { return 4; }
  // Every pair of g in one block of x; the pairs are tested side by side.
  bool generatorBelow(size_t g, const uint64_t* x) const {
    uint32_t apart = 0;
    for (const auto& [a, b] : pairs_[g]) apart |= packedEntry(*x, a) ^ packedEntry(*x, b);
    return apart == 0;
  }
  // Four joins side by side: each merge waits on the one before it, the
  // four chains do not wait on each other.
  void joinEach(const uint64_t* const* xs, size_t count, size_t g, uint64_t* out) const {
    if (count < kJoinBatch) {
      for (size_t t = 0; t < count; ++t) {
        uint64_t w = *xs[t];
        for (const auto& [a, b] : pairs_[g]) w = packedUnite(w, a, b);
        out[t] = w;
      }
      return;
    }
    uint64_t w[kJoinBatch];
    for (size_t t = 0; t < kJoinBatch; ++t) w[t] = *xs[t];
    for (const auto& [a, b] : pairs_[g]) {
      for (size_t t = 0; t < kJoinBatch; ++t) w[t] = packedUnite(w[t], a, b);
    }
    std::copy_n(w, kJoinBatch, out);
  }

 private:
  std::vector<uint64_t> generators_;
  std::vector<std::vector<std::pair<int32_t, int32_t>>> pairs_;
};

// One word to sort by: 16 less the block count in the top four bits (more
// blocks first), then the places in reverse order, element 0 (whose place
// always holds 0) dropped: comparing these compares the partition arrays
// from their first entry on.
// The sixteen places in reverse order (its own inverse).
uint64_t reversedPlaces(uint64_t p) {
  const uint64_t bytes = __builtin_bswap64(p);
  return ((bytes & 0x0f0f0f0f0f0f0f0full) << 4) | ((bytes >> 4) & 0x0f0f0f0f0f0f0f0full);
}

uint64_t listKey(uint64_t p, int32_t n) {
  return (static_cast<uint64_t>(16 - packedBlocks(p, n)) << 60) | reversedPlaces(p);
}

uint64_t partitionOfKey(uint64_t key) { return reversedPlaces(key & 0x0fffffffffffffffull); }

// More blocks first, then by their entries.
LatticeListing listPacked(const PackedPartitionSet& lattice, const std::vector<uint8_t>& irreducible, int32_t n) {
  std::vector<uint64_t> keys(lattice.size());
  std::vector<uint64_t> irreducibleKeys;
  for (size_t i = 0; i < keys.size(); ++i) {
    keys[i] = listKey(*lattice.row(i), n);
    if (irreducible[i]) irreducibleKeys.push_back(keys[i]);
  }
  radixSort(keys);
  std::sort(irreducibleKeys.begin(), irreducibleKeys.end());
  std::vector<int32_t> rows(keys.size() * static_cast<size_t>(n));
  std::vector<uint8_t> flags(keys.size());
  for (size_t i = 0; i < keys.size(); ++i) {
    const uint64_t p = partitionOfKey(keys[i]);
    for (int32_t e = 0; e < n; ++e) rows[i * static_cast<size_t>(n) + static_cast<size_t>(e)] = packedEntry(p, e);
    flags[i] = std::binary_search(irreducibleKeys.begin(), irreducibleKeys.end(), keys[i]);
  }
  return LatticeListing(std::move(rows), n, std::move(flags));
}

}  // namespace

LatticeResult closePackedCongruences(const std::vector<Partition>& principals, int32_t n, int64_t stop,
                                     Progress& progress) {
  PackedJoins joins(principals);
  // As many partitions as rows of bytes would hold.
  PackedPartitionSet lattice(static_cast<size_t>(kMaxLatticeEntries / std::max(n, 1)));
  lattice.insert(&kPackedIdentity);
  std::vector<uint8_t> irreducible;
  const LatticeStatus status = closeByJoinIrreducibles(lattice, joins.count(), joins, stop, progress, irreducible);
  if (status != LatticeStatus::kDone) return {status, {}};
  return {LatticeStatus::kDone, listPacked(lattice, irreducible, n)};
}

}  // namespace kest
