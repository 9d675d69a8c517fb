#include "structure/packed_congruences.h"

#include <algorithm>
#include <span>

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
// of a block, another element of it) that generate it, all generators'
// pairs in one array.
class PackedJoins {
 public:
  explicit PackedJoins(const std::vector<Partition>& generators) {
    for (const Partition& p : generators) {
      starts_.push_back(pairs_.size());
      for (const auto& [least, other] : spanningPairs(p))
        pairs_.push_back({static_cast<uint8_t>(least), static_cast<uint8_t>(other)});
      generators_.push_back(packed(p));
    }
    starts_.push_back(pairs_.size());
  }

  size_t count() const { return generators_.size(); }
  const uint64_t* generatorRow(size_t g) const { return &generators_[g]; }
  int64_t joinCost() const { return 4; }
  // Every pair of g in one block of x; the pairs are tested side by side.
  bool generatorBelow(size_t g, const uint64_t* x) const {
    uint32_t apart = 0;
    for (const Pair& p : pairsOf(g)) apart |= packedEntry(*x, p.least) ^ packedEntry(*x, p.other);
    return apart == 0;
  }
  // Four joins side by side: each merge waits on the one before it, the
  // four chains do not wait on each other.
  void joinEach(const uint64_t* const* xs, size_t count, size_t g, uint64_t* out) const {
    if (count < kJoinBatch) {
      for (size_t t = 0; t < count; ++t) {
        uint64_t w = *xs[t];
        for (const Pair& p : pairsOf(g)) w = packedUnite(w, p.least, p.other);
        out[t] = w;
      }
      return;
    }
    uint64_t w[kJoinBatch];
    for (size_t t = 0; t < kJoinBatch; ++t) w[t] = *xs[t];
    for (const Pair& p : pairsOf(g)) {
      for (size_t t = 0; t < kJoinBatch; ++t) w[t] = packedUnite(w[t], p.least, p.other);
    }
    std::copy_n(w, kJoinBatch, out);
  }

 private:
  struct Pair {
    uint8_t least;
    uint8_t other;
  };
  std::span<const Pair> pairsOf(size_t g) const { return {pairs_.data() + starts_[g], pairs_.data() + starts_[g + 1]}; }

  std::vector<uint64_t> generators_;
  std::vector<Pair> pairs_;
  std::vector<size_t> starts_;  // generator g's pairs are pairs_[starts_[g] .. starts_[g + 1])
};

// The sixteen places in reverse order (its own inverse).
uint64_t reversedPlaces(uint64_t p) {
  const uint64_t bytes = __builtin_bswap64(p);
  return ((bytes & 0x0f0f0f0f0f0f0f0full) << 4) | ((bytes >> 4) & 0x0f0f0f0f0f0f0f0full);
}

// One word to sort by: 16 less the block count in the top four bits (more
// blocks first), then the places in reverse order, element 0 (whose place
// always holds 0) dropped: comparing these compares the partition arrays
// from their first entry on.
uint64_t listKey(uint64_t p, int32_t n) {
  return (static_cast<uint64_t>(16 - packedBlocks(p, n)) << 60) | reversedPlaces(p);
}

uint64_t partitionOfKey(uint64_t key) { return reversedPlaces(key & 0x0fffffffffffffffull); }

// The sixteen places of p as entries (all of them: out has room for 16).
// Constant shifts, so that the compiler unrolls them.
void unpack(uint64_t p, int32_t* out) {
  for (int32_t e = 0; e < kMostPackedElements; ++e) out[e] = static_cast<int32_t>((p >> (4 * e)) & 0xf);
}

// More blocks first, then by their entries.
LatticeListing listPacked(const PackedPartitionSet& lattice, const std::vector<uint8_t>& irreducible, int32_t n) {
  std::vector<uint64_t> keys(lattice.size());
  for (size_t i = 0; i < keys.size(); ++i) keys[i] = listKey(*lattice.row(i), n);
  std::vector<uint8_t> flags = sortListKeys(keys, irreducible);
  // Room for a last row of 16 entries however few of them count.
  std::vector<int32_t> rows(keys.size() * static_cast<size_t>(n) + kMostPackedElements);
  for (size_t i = 0; i < keys.size(); ++i) unpack(partitionOfKey(keys[i]), rows.data() + i * static_cast<size_t>(n));
  rows.resize(keys.size() * static_cast<size_t>(n));
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
