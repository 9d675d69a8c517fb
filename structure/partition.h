// Partitions of the elements of an algebra: entry i names the block of i.
// After a closure every entry is the least element of its block; a relation
// as typed may leave chains (an entry naming an element that names another).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kest {

using Partition = std::vector<int32_t>;

struct PartitionHash {
  size_t operator()(const Partition& p) const {
    uint64_t h = 1469598103934665603ull;
    for (int32_t x : p) h = (h ^ static_cast<uint64_t>(x)) * 1099511628211ull;
    return static_cast<size_t>(h ^ (h >> 31));
  }
};

Partition identityPartition(int32_t n);

// Reads a typed relation: words separated by blanks; every letter of a word
// gets the entry of the word's least element, overwriting earlier words
// ("ab bc" makes {a} and {b, c}). Nothing when a character names no element
// below n.
std::optional<Partition> readRelation(std::string_view text, int32_t n, int32_t maxNamedElements);

// "(ac)(b)(d)": every block whose representative is its own entry, in
// increasing order; elements whose entry is no representative are left out.
std::string printPartition(const Partition& p, int32_t maxNamedElements);

// Whether every block of p lies inside a block of q (both canonical).
bool partitionBelow(const Partition& p, const Partition& q);

// The number of elements that are their own entry.
int32_t countBlocks(const Partition& p);

// The pairs (least element of a block, another element of it) of a
// canonical partition: the pairs that generate it as an equivalence.
std::vector<std::pair<int32_t, int32_t>> spanningPairs(const Partition& p);

// The equivalence join of two canonical partitions (a congruence when both
// are), canonical.
Partition joinPartitions(const Partition& p, const Partition& q);

// Their meet, the intersection of their blocks, canonical: i goes with the
// least j that lies in the same block of both.
Partition meetPartitions(const Partition& p, const Partition& q);

}  // namespace kest
