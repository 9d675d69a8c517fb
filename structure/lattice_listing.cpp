#include "structure/lattice_listing.h"

#include <algorithm>
#include <bit>

#include "core/radix_sort.h"

namespace kest {

std::vector<uint8_t> sortListKeys(std::vector<uint64_t>& keys, const std::vector<uint8_t>& irreducible) {
  std::vector<uint64_t> irreducibleKeys;
  for (size_t i = 0; i < keys.size(); ++i) {
    if (irreducible[i]) irreducibleKeys.push_back(keys[i]);
  }
  radixSort(keys);
  std::sort(irreducibleKeys.begin(), irreducibleKeys.end());
  // Both ascending (and the keys distinct): the irreducible ones are met
  // in one walk.
  std::vector<uint8_t> flags(keys.size());
  size_t next = 0;
  for (size_t i = 0; i < keys.size(); ++i) {
    const bool isIrreducible = next < irreducibleKeys.size() && irreducibleKeys[next] == keys[i];
    flags[i] = isIrreducible;
    next += isIrreducible;
  }
  return flags;
}

LatticeListing::LatticeListing(std::vector<int32_t> partitions, int32_t n, std::vector<uint8_t> joinIrreducible)
    : kind_(Kind::kCongruences),
      n_(n),
      partitions_(std::move(partitions)),
      joinIrreducible_(std::move(joinIrreducible)) {}

LatticeListing::LatticeListing(std::vector<uint64_t> memberBits, int32_t n, std::vector<uint8_t> joinIrreducible)
    : kind_(Kind::kSubuniverses), n_(n), bits_(std::move(memberBits)), joinIrreducible_(std::move(joinIrreducible)) {}

size_t LatticeListing::joinIrreducibleCount() const {
  return static_cast<size_t>(std::count(joinIrreducible_.begin(), joinIrreducible_.end(), 1));
}

std::vector<int32_t> LatticeListing::members(size_t i) const {
  std::vector<int32_t> out;
  const uint64_t* row = memberRow(i);
  for (size_t w = 0; w < words(); ++w) {
    for (uint64_t bits = row[w]; bits != 0; bits &= bits - 1) {
      out.push_back(static_cast<int32_t>(w * 64 + static_cast<size_t>(std::countr_zero(bits))));
    }
  }
  return out;
}

bool LatticeListing::below(size_t i, size_t j) const {
  if (kind_ == Kind::kCongruences) {
    // Every block of i inside a block of j: each element with its block's least.
    const int32_t* p = partitionRow(i);
    const int32_t* q = partitionRow(j);
    for (int32_t e = 0; e < n_; ++e) {
      if (q[e] != q[p[e]]) return false;
    }
    return true;
  }
  const uint64_t* s = memberRow(i);
  const uint64_t* t = memberRow(j);
  for (size_t w = 0; w < words(); ++w) {
    if (s[w] & ~t[w]) return false;
  }
  return true;
}

}  // namespace kest
