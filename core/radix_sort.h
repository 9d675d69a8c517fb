// Sorting 64-bit keys by their bytes, least significant first. The lists of
// congruences and subuniverses (thousands to millions of one-word keys) sort
// this way several times faster than by comparisons: a pass reads and writes
// each key once, and bytes that are the same in every key need no pass.
#pragma once

#include <cstdint>
#include <vector>

namespace kest {

// Sorts keys ascending. Takes a scratch array as long as keys (a lack of
// memory throws std::bad_alloc, for the command boundary to report).
void radixSort(std::vector<uint64_t>& keys);

}  // namespace kest
