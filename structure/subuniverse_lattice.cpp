#include <algorithm>
#include <bit>
#include <numeric>
#include <optional>

#include "structure/bitset_closure.h"
#include "structure/congruence_lattice.h"
#include "structure/join_closure.h"

namespace kest {

namespace {

int32_t sizeOf(const uint64_t* row, size_t words) {
  int32_t count = 0;
  for (size_t w = 0; w < words; ++w) count += std::popcount(row[w]);
  return count;
}

// Joins with one-generated subuniverses: the closure of the union,
// combining only the generator's members that were not in already.
class OneGeneratedJoins {
 public:
  OneGeneratedJoins(BitsetCloser& closer, std::vector<uint64_t> generators, WorkPoll& poll)
      : closer_(closer), words_(closer.words()), generators_(std::move(generators)), poll_(poll) {}

  size_t count() const { return words_ == 0 ? 0 : generators_.size() / words_; }
  const uint64_t* generatorRow(size_t g) const { return generators_.data() + g * words_; }
  int64_t joinCost() const { return static_cast<int64_t>(words_) + 1; }

  bool generatorBelow(size_t g, const uint64_t* x) const {
    const uint64_t* s = generatorRow(g);
    for (size_t w = 0; w < words_; ++w) {
      if (s[w] & ~x[w]) return false;
    }
    return true;
  }

  // A stop inside leaves out unfinished; progress.stopped() tells.
  void joinEach(const uint64_t* const* xs, size_t count, size_t g, uint64_t* out) {
    for (size_t t = 0; t < count && !poll_.progress().stopped(); ++t)
      closer_.join(xs[t], generatorRow(g), out + t * words_, poll_);
  }

 private:
  BitsetCloser& closer_;
  size_t words_;
  std::vector<uint64_t> generators_;
  WorkPoll& poll_;
};

// The distinct Sg(bottom u {a}) for a outside the bottom, smaller first;
// nothing when more than most of them (or a stop) turn up.
std::optional<std::vector<uint64_t>> oneGenerated(BitsetCloser& closer, const std::vector<uint64_t>& bottom,
                                                  size_t most, WorkPoll& poll) {
  const size_t words = closer.words();
  RowSet<uint64_t> found(words, kMaxLatticeEntries);
  std::vector<uint64_t> single(words, 0);
  std::vector<uint64_t> out(words);
  for (int32_t a = 0; a < closer.card(); ++a) {
    const size_t w = static_cast<size_t>(a) / 64;
    const uint64_t bit = uint64_t{1} << (a % 64);
    if (bottom[w] & bit) continue;
    single[w] = bit;
    const bool closed = closer.join(bottom.data(), single.data(), out.data(), poll);
    single[w] = 0;
    if (!closed || poll.progress().stopRequested()) return std::nullopt;
    if (found.insert(out.data()).second && found.size() > most) return std::nullopt;
  }
  std::vector<uint32_t> order(found.size());
  std::iota(order.begin(), order.end(), 0u);
  std::stable_sort(order.begin(), order.end(),
                   [&](uint32_t x, uint32_t y) { return sizeOf(found.row(x), words) < sizeOf(found.row(y), words); });
  std::vector<uint64_t> rows;
  rows.reserve(found.size() * words);
  for (uint32_t i : order) rows.insert(rows.end(), found.row(i), found.row(i) + words);
  return rows;
}

uint64_t reverseBits(uint64_t v) {
  v = __builtin_bswap64(v);
  v = ((v >> 4) & 0x0f0f0f0f0f0f0f0full) | ((v & 0x0f0f0f0f0f0f0f0full) << 4);
  v = ((v >> 2) & 0x3333333333333333ull) | ((v & 0x3333333333333333ull) << 2);
  return ((v >> 1) & 0x5555555555555555ull) | ((v & 0x5555555555555555ull) << 1);
}

// Up to this many elements a subuniverse and its size fit one sort key.
constexpr int32_t kMostInSortKey = 57;

// Size in the top 7 bits, then the members reversed and complemented:
// ascending keys put smaller first and, of one size, the one holding the
// least element where they differ (element e at bit 63 - 7 - e).
uint64_t sortKey(uint64_t members) {
  return (static_cast<uint64_t>(std::popcount(members)) << kMostInSortKey) | (~reverseBits(members) >> 7);
}

uint64_t membersOfKey(uint64_t key) { return reverseBits(~(key << 7)) & ((uint64_t{1} << kMostInSortKey) - 1); }

// The list order of small algebras' subuniverses, sorting their keys
// (millions of them: an order of row numbers would read rows all over).
LatticeListing listSmallSubuniverses(const RowSet<uint64_t>& lattice, const std::vector<uint8_t>& irreducible,
                                     int32_t n) {
  std::vector<uint64_t> keys(lattice.size());
  for (size_t i = 0; i < keys.size(); ++i) keys[i] = sortKey(*lattice.row(i));
  std::vector<uint8_t> flags = sortListKeys(keys, irreducible);
  for (uint64_t& key : keys) key = membersOfKey(key);
  return LatticeListing(std::move(keys), n, std::move(flags));
}

// The rows in list order: smaller first; of two of one size, the one
// holding the least element where they differ.
LatticeListing listSubuniverses(const RowSet<uint64_t>& lattice, const std::vector<uint8_t>& irreducible, int32_t n) {
  if (n >= 1 && n <= kMostInSortKey) return listSmallSubuniverses(lattice, irreducible, n);
  const size_t words = lattice.width();
  const size_t count = lattice.size();
  std::vector<int32_t> sizes(count);
  for (size_t i = 0; i < count; ++i) sizes[i] = sizeOf(lattice.row(i), words);
  std::vector<uint32_t> order(count);
  std::iota(order.begin(), order.end(), 0u);
  std::sort(order.begin(), order.end(), [&](uint32_t x, uint32_t y) {
    if (sizes[x] != sizes[y]) return sizes[x] < sizes[y];
    const uint64_t* s = lattice.row(x);
    const uint64_t* t = lattice.row(y);
    for (size_t w = 0; w < words; ++w) {
      if (s[w] != t[w]) return ((s[w] >> std::countr_zero(s[w] ^ t[w])) & 1) != 0;
    }
    return false;
  });
  std::vector<uint64_t> rows;
  rows.reserve(count * words);
  std::vector<uint8_t> flags;
  flags.reserve(count);
  for (uint32_t i : order) {
    rows.insert(rows.end(), lattice.row(i), lattice.row(i) + words);
    flags.push_back(irreducible[i]);
  }
  return LatticeListing(std::move(rows), n, std::move(flags));
}

}  // namespace

LatticeResult subuniverseLattice(const AlgebraView& alg, int64_t stop, Progress& progress) {
  const int32_t n = alg.card();
  BitsetCloser closer(alg);
  WorkPoll poll(progress);
  std::vector<uint64_t> bottom(closer.words());
  if (!closer.closeConstants(bottom.data(), poll)) return {LatticeStatus::kInterrupted, {}};
  // The bottom and the distinct one-generated subuniverses are all
  // elements: more of them than stop answer at once.
  const size_t most = static_cast<size_t>(std::max<int64_t>(stop - 1, 0));
  std::optional<std::vector<uint64_t>> generators = oneGenerated(closer, bottom, most, poll);
  if (progress.stopped()) return {LatticeStatus::kInterrupted, {}};
  if (!generators) return {LatticeStatus::kTooMany, {}};
  OneGeneratedJoins joins(closer, std::move(*generators), poll);
  RowSet<uint64_t> lattice(closer.words(), kMaxLatticeEntries);
  lattice.insert(bottom.data());
  std::vector<uint8_t> irreducible;
  const LatticeStatus status = closeByJoinIrreducibles(lattice, joins.count(), joins, stop, progress, irreducible);
  if (status != LatticeStatus::kDone) return {status, {}};
  return {LatticeStatus::kDone, listSubuniverses(lattice, irreducible, n)};
}

}  // namespace kest
