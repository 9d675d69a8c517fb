// Partitions of at most 16 elements, each in one 64-bit word: four bits an
// element, element e at bits 4e..4e+3, holding the least element of its
// block (the canonical form); the places of absent elements hold their own
// number, so they never join a block. A set of them keeps the words inline
// in an open-addressing table: on the congruence lattices of small
// algebras, thousands of elements and ten times as many joins, a lookup is
// a multiply and a load or two instead of a walk through row numbers,
// hashes and rows.
#pragma once

#include <bit>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

namespace kest {

inline constexpr int32_t kMostPackedElements = 16;

// Every four-bit place holding 1.
inline constexpr uint64_t kNibbleOnes = 0x1111111111111111ull;

inline uint32_t packedEntry(uint64_t p, int32_t e) { return static_cast<uint32_t>(p >> (4 * e)) & 0xf; }

// The places of p holding v, as all-ones nibbles.
inline uint64_t nibblesEqualTo(uint64_t p, uint32_t v) {
  const uint64_t t = p ^ (v * kNibbleOnes);
  // A place is zero exactly when adding 7 to its low three bits does not
  // carry into its top bit and its top bit is clear.
  const uint64_t zero = ~(((t & 0x7777777777777777ull) + 0x7777777777777777ull) | t) & 0x8888888888888888ull;
  return (zero >> 3) * 0xf;
}

// Merges the blocks of a and b: the larger least element becomes the
// smaller wherever it stands (without a branch: when they are one block
// already, the least element replaces itself).
inline uint64_t packedUnite(uint64_t p, int32_t a, int32_t b) {
  const uint32_t la = packedEntry(p, a);
  const uint32_t lb = packedEntry(p, b);
  const uint32_t low = la < lb ? la : lb;
  const uint64_t high = nibblesEqualTo(p, la < lb ? lb : la);
  return (p & ~high) | (low * kNibbleOnes & high);
}

// The identity: every element alone, absent places holding their number.
inline constexpr uint64_t kPackedIdentity = 0xfedcba9876543210ull;

// The number of blocks among the first n places.
inline int32_t packedBlocks(uint64_t p, int32_t n) {
  const uint64_t alone = nibblesEqualTo(p ^ kPackedIdentity, 0);
  const uint64_t firstN = n >= 16 ? ~0ull : (uint64_t{1} << (4 * n)) - 1;
  return std::popcount(alone & firstN) / 4;
}

class PackedPartitionSet {
 public:
  using Word = uint64_t;

  // An insert beyond maxRows throws std::bad_alloc, which the command
  // boundary reports as a lack of memory. It starts with room for 2048
  // (64 KB of slots): the lattices met here run to thousands, and growing
  // step by step from a few hundred re-inserts as many again.
  explicit PackedPartitionSet(size_t maxRows) : maxRows_(maxRows) { slots_.assign(4096, kEmpty); }

  size_t size() const { return words_.size(); }
  size_t width() const { return 1; }
  const uint64_t* row(size_t i) const { return words_.data() + i; }

  int64_t find(const uint64_t* p) const {
    const size_t mask = slots_.size() - 1;
    for (size_t s = slotOf(*p);; s = (s + 1) & mask) {
      if (slots_[s].word == *p) return slots_[s].index;
      if (slots_[s].word == kEmpty.word) return -1;
    }
  }

  std::pair<size_t, bool> insert(const uint64_t* p) {
    const size_t mask = slots_.size() - 1;
    size_t s = slotOf(*p);
    for (; slots_[s].word != kEmpty.word; s = (s + 1) & mask) {
      if (slots_[s].word == *p) return {static_cast<size_t>(slots_[s].index), false};
    }
    if (words_.size() >= maxRows_) throw std::bad_alloc();
    words_.push_back(*p);
    slots_[s] = {*p, static_cast<int64_t>(words_.size() - 1)};
    if (words_.size() * 2 > slots_.size()) grow();
    return {words_.size() - 1, true};
  }

 private:
  struct Slot {
    uint64_t word;
    int64_t index;
  };
  // Element 0 always heads its block, so no partition has 15 there.
  static constexpr Slot kEmpty{0xf, -1};

  size_t slotOf(uint64_t p) const {
    // The top bits of a product with an odd constant depend on every place
    // (lower bits only on the places below them).
    return static_cast<size_t>((p * 0x9e3779b97f4a7c15ull) >> shift_);
  }

  void grow() {
    slots_.assign(slots_.size() * 2, kEmpty);
    --shift_;
    const size_t mask = slots_.size() - 1;
    for (size_t i = 0; i < words_.size(); ++i) {
      size_t s = slotOf(words_[i]);
      while (slots_[s].word != kEmpty.word) s = (s + 1) & mask;
      slots_[s] = {words_[i], static_cast<int64_t>(i)};
    }
  }

  size_t maxRows_;
  std::vector<uint64_t> words_;
  std::vector<Slot> slots_;
  int32_t shift_ = 64 - 12;  // 64 - log2 of the slot count
};

}  // namespace kest
