// A listed Con(A) or Sub(A): its elements in list order, packed in one
// array each. A congruence is its canonical partition (n entries, each the
// least element of its block); a subuniverse is a row of member bits, 64
// elements a word, element e at bit e % 64 of word e / 64. List order is a
// linear extension of the lattice order: Con with more blocks first and
// equal block counts by their partition arrays, Sub smaller first and
// equal sizes by their sorted member lists.
#pragma once

#include <cstdint>
#include <vector>

#include "structure/partition.h"

namespace kest {

enum class LatticeStatus { kDone, kTooMany, kInterrupted };

// Lists of small algebras sort one 64-bit key per element (its place in
// list order, and the element itself). Sorts keys (given in element
// order, irreducible flagging them) ascending and answers the flags in
// the sorted order.
std::vector<uint8_t> sortListKeys(std::vector<uint64_t>& keys, const std::vector<uint8_t>& irreducible);

class LatticeListing {
 public:
  enum class Kind : char { kCongruences = 'C', kSubuniverses = 'S' };

  LatticeListing() = default;
  // Rows of n entries (congruences) or of (n + 63) / 64 words (subuniverses).
  LatticeListing(std::vector<int32_t> partitions, int32_t n, std::vector<uint8_t> joinIrreducible);
  LatticeListing(std::vector<uint64_t> memberBits, int32_t n, std::vector<uint8_t> joinIrreducible);

  Kind kind() const { return kind_; }
  char letter() const { return static_cast<char>(kind_); }
  int32_t card() const { return n_; }
  size_t size() const { return joinIrreducible_.size(); }
  bool joinIrreducible(size_t i) const { return joinIrreducible_[i] != 0; }
  size_t joinIrreducibleCount() const;

  // Congruence i: entry e is the least element of e's block.
  const int32_t* partitionRow(size_t i) const { return partitions_.data() + i * static_cast<size_t>(n_); }
  Partition partition(size_t i) const { return {partitionRow(i), partitionRow(i) + n_}; }
  // Subuniverse i: its member bits, and its members in increasing order.
  const uint64_t* memberRow(size_t i) const { return bits_.data() + i * words(); }
  std::vector<int32_t> members(size_t i) const;
  // Element i as the page and the files show it: the partition, or the member list.
  std::vector<int32_t> element(size_t i) const { return kind_ == Kind::kCongruences ? partition(i) : members(i); }

  // Whether element i lies below (or is) element j.
  bool below(size_t i, size_t j) const;

 private:
  size_t words() const { return (static_cast<size_t>(n_) + 63) / 64; }

  Kind kind_ = Kind::kCongruences;
  int32_t n_ = 0;
  std::vector<int32_t> partitions_;
  std::vector<uint64_t> bits_;
  std::vector<uint8_t> joinIrreducible_;
};

}  // namespace kest
