#include "structure/lattice_covers.h"

#include <algorithm>
#include <bit>

namespace kest {

namespace {

// Rows of bits, one row per element.
class BitRows {
 public:
  BitRows(size_t rows, size_t bits) : words_((bits + 63) / 64), data_(rows * words_, 0) {}
  size_t words() const { return words_; }
  uint64_t* row(size_t i) { return data_.data() + i * words_; }
  const uint64_t* row(size_t i) const { return data_.data() + i * words_; }
  void set(size_t i, size_t bit) { row(i)[bit / 64] |= uint64_t{1} << (bit % 64); }

 private:
  size_t words_;
  std::vector<uint64_t> data_;
};

bool subset(const uint64_t* s, const uint64_t* t, size_t words) {
  for (size_t w = 0; w < words; ++w) {
    if (s[w] & ~t[w]) return false;
  }
  return true;
}

// Bit t of row i: join irreducible number t lies below element i. A
// congruence is tested by the pairs that generate it, a subuniverse by
// its member bits; an element below another comes no later in the list.
std::optional<BitRows> irreduciblesBelow(const LatticeListing& l, const std::vector<size_t>& irreducibles,
                                         WorkPoll& poll) {
  BitRows below(l.size(), irreducibles.size());
  for (size_t t = 0; t < irreducibles.size(); ++t) {
    const size_t j = irreducibles[t];
    std::vector<std::pair<int32_t, int32_t>> pairs;
    if (l.kind() == LatticeListing::Kind::kCongruences) {
      const int32_t* p = l.partitionRow(j);
      for (int32_t e = 0; e < l.card(); ++e) {
        if (p[e] != e) pairs.emplace_back(p[e], e);
      }
    }
    for (size_t i = j; i < l.size(); ++i) {
      if (poll.add(static_cast<int64_t>(pairs.size()) + l.card() / 64 + 1)) return std::nullopt;
      bool holds = true;
      if (l.kind() == LatticeListing::Kind::kCongruences) {
        const int32_t* x = l.partitionRow(i);
        for (const auto& [a, b] : pairs) holds = holds && x[a] == x[b];
      } else {
        holds = l.below(j, i);
      }
      if (holds) below.set(i, t);
    }
  }
  return below;
}

}  // namespace

std::optional<CoverPairs> latticeCovers(const LatticeListing& l, Progress& progress) {
  const size_t count = l.size();
  WorkPoll poll(progress);
  std::vector<size_t> irreducibles;
  for (size_t i = 0; i < count; ++i) {
    if (l.joinIrreducible(i)) irreducibles.push_back(i);
  }
  const std::optional<BitRows> below = irreduciblesBelow(l, irreducibles, poll);
  if (!below) return std::nullopt;
  // Row i: the elements strictly above element i.
  BitRows above(count, count);
  for (size_t i = 0; i < count; ++i) {
    if (poll.add(static_cast<int64_t>((count - i) * below->words()))) return std::nullopt;
    for (size_t k = i + 1; k < count; ++k) {
      if (subset(below->row(i), below->row(k), below->words())) above.set(i, k);
    }
  }
  CoverPairs covers;
  std::vector<uint64_t> overCover(above.words());
  for (size_t i = 0; i < count; ++i) {
    if (poll.add(static_cast<int64_t>(above.words()) * 4)) return std::nullopt;
    std::fill(overCover.begin(), overCover.end(), 0);
    // In list order every element above i comes after the covers below it.
    const uint64_t* up = above.row(i);
    for (size_t w = 0; w < above.words(); ++w) {
      for (uint64_t bits = up[w]; bits != 0; bits &= bits - 1) {
        const size_t k = w * 64 + static_cast<size_t>(std::countr_zero(bits));
        if ((overCover[w] >> (k % 64)) & 1) continue;
        covers.emplace_back(static_cast<int32_t>(i), static_cast<int32_t>(k));
        const uint64_t* beyond = above.row(k);
        for (size_t v = w; v < above.words(); ++v) overCover[v] |= beyond[v];
      }
    }
  }
  return covers;
}

}  // namespace kest
