// The vectors of the free algebra in HSP(A): one value per assignment, a
// byte each (A has at most 62 elements), or one bit each when A has two
// elements. A hash table over the stored vectors finds a vector's index in
// constant time; indices follow the order of insertion. When the whole
// power A^length is small (at most 2^24 vectors), a dense array indexed by
// the vector's code (its bits, or its entries as a base-m numeral) replaces
// the hash table: one load per lookup.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kest {

class VectorStore {
 public:
  // Vectors of length entries over an m-element set, each stored in words
  // 64-bit words: bits when m is 2, bytes otherwise.
  VectorStore(int64_t length, int32_t m);

  int64_t words() const { return words_; }
  int32_t count() const { return count_; }
  // The dense array (code -> index, -1 absent), or null when not used.
  const int32_t* dense() const { return dense_.empty() ? nullptr : dense_.data(); }
  const uint64_t* vector(int32_t i) const { return data_.data() + static_cast<size_t>(i) * words_; }

  // The index of an equal stored vector, or -1.
  int32_t find(const uint64_t* v) const;
  // Appends v (not yet stored) and returns its index.
  int32_t append(const uint64_t* v);

 private:
  uint64_t hash(const uint64_t* v) const;
  uint64_t code(const uint64_t* v) const;
  void grow();

  int64_t words_;
  int32_t count_ = 0;
  std::vector<uint64_t> data_;
  int64_t length_;
  int32_t m_;
  bool bits_;
  std::vector<int32_t> slots_;  // -1 empty
  std::vector<int32_t> dense_;
};

}  // namespace kest
