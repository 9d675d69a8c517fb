// A set of rows of equal width (partitions as n entries, subuniverses as
// words of member bits), kept in one growing arena and numbered in the
// order they came. An open-addressing table of row numbers finds a row's
// twin without allocating; each row's hash is kept, so growing the table
// never reads the rows again.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

namespace kest {

template <class W>
class RowSet {
 public:
  using Word = W;

  // maxWords bounds the arena: an insert beyond it throws std::bad_alloc,
  // which the command boundary reports as a lack of memory.
  RowSet(size_t width, int64_t maxWords) : width_(width), maxWords_(maxWords) { slots_.assign(1024, 0); }

  size_t size() const { return hashes_.size(); }
  size_t width() const { return width_; }
  // Row i; the pointer stays valid until the next insert.
  const Word* row(size_t i) const { return words_.data() + i * width_; }

  // The number of the row equal to r, or -1.
  int64_t find(const Word* r) const { return find(r, hashOf(r)); }

  // Adds r (which must not point into this set) unless an equal row is
  // there; its number, and whether it was added.
  std::pair<size_t, bool> insert(const Word* r) {
    const uint64_t h = hashOf(r);
    const int64_t at = find(r, h);
    if (at >= 0) return {static_cast<size_t>(at), false};
    if (static_cast<int64_t>((size() + 1) * std::max<size_t>(width_, 1)) > maxWords_) throw std::bad_alloc();
    if ((size() + 1) * 2 > slots_.size()) grow();
    words_.insert(words_.end(), r, r + width_);
    hashes_.push_back(h);
    place(size() - 1);
    return {size() - 1, true};
  }

  // The arena, rows in the order they came (the set is left empty).
  std::vector<Word> takeWords() {
    hashes_.clear();
    slots_.assign(1024, 0);
    return std::move(words_);
  }

 private:
  // Eight bytes at a time, whatever the word.
  uint64_t hashOf(const Word* r) const {
    const size_t bytes = width_ * sizeof(Word);
    const unsigned char* p = reinterpret_cast<const unsigned char*>(r);
    uint64_t h = 0x9e3779b97f4a7c15ull ^ bytes;
    size_t i = 0;
    for (; i + 8 <= bytes; i += 8) {
      uint64_t chunk;
      std::memcpy(&chunk, p + i, 8);
      h = (h ^ chunk) * 0xff51afd7ed558ccdull;
      h ^= h >> 32;
    }
    if (i < bytes) {
      uint64_t chunk = 0;
      std::memcpy(&chunk, p + i, bytes - i);
      h = (h ^ chunk) * 0xff51afd7ed558ccdull;
      h ^= h >> 32;
    }
    // A final mix, so that the low bits that pick a slot depend on every byte.
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ull;
    h ^= h >> 33;
    return h;
  }

  // Short rows compared inline: a call to memcmp would cost more than they.
  bool same(const Word* a, const Word* b) const {
    const size_t bytes = width_ * sizeof(Word);
    if (bytes > 32) return std::memcmp(a, b, bytes) == 0;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(a);
    const unsigned char* q = reinterpret_cast<const unsigned char*>(b);
    size_t i = 0;
    for (; i + 8 <= bytes; i += 8) {
      uint64_t x;
      uint64_t y;
      std::memcpy(&x, p + i, 8);
      std::memcpy(&y, q + i, 8);
      if (x != y) return false;
    }
    for (; i < bytes; ++i) {
      if (p[i] != q[i]) return false;
    }
    return true;
  }

  // A slot holds the high half of its row's hash beside the row number:
  // a probe reads the row only when the halves agree. On sets larger than
  // the caches every read elsewhere is a trip to memory.
  static uint64_t tagOf(uint64_t h) { return h & 0xffffffff00000000ull; }

  int64_t find(const Word* r, uint64_t h) const {
    const size_t mask = slots_.size() - 1;
    const uint64_t tag = tagOf(h);
    for (size_t s = static_cast<size_t>(h) & mask;; s = (s + 1) & mask) {
      const uint64_t slot = slots_[s];
      if (slot == 0) return -1;
      const size_t i = static_cast<uint32_t>(slot) - 1;
      if (tagOf(slot) == tag && same(row(i), r)) return static_cast<int64_t>(i);
    }
  }

  void place(size_t i) {
    const size_t mask = slots_.size() - 1;
    size_t s = static_cast<size_t>(hashes_[i]) & mask;
    while (slots_[s] != 0) s = (s + 1) & mask;
    slots_[s] = tagOf(hashes_[i]) | static_cast<uint32_t>(i + 1);
  }

  void grow() {
    slots_.assign(slots_.size() * 2, 0);
    for (size_t i = 0; i < size(); ++i) place(i);
  }

  size_t width_;
  int64_t maxWords_;
  std::vector<Word> words_;
  std::vector<uint64_t> hashes_;
  std::vector<uint64_t> slots_;  // hash tag | row number + 1, 0 empty; a power of two, at most half full
};

}  // namespace kest
