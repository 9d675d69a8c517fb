#include "core/radix_sort.h"

#include <algorithm>
#include <array>

namespace kest {

namespace {

// Below this many keys a comparison sort is as quick as counting bytes.
constexpr size_t kLeastForRadix = 256;

}  // namespace

void radixSort(std::vector<uint64_t>& keys) {
  if (keys.size() < kLeastForRadix) {
    std::sort(keys.begin(), keys.end());
    return;
  }
  // Every byte's counts in one read of the keys.
  std::array<std::array<size_t, 256>, 8> counts{};
  uint64_t inAll = ~uint64_t{0};
  uint64_t inAny = 0;
  for (const uint64_t k : keys) {
    inAll &= k;
    inAny |= k;
    for (int b = 0; b < 8; ++b) ++counts[static_cast<size_t>(b)][(k >> (8 * b)) & 0xff];
  }
  const uint64_t varying = inAll ^ inAny;
  std::vector<uint64_t> scratch(keys.size());
  for (int b = 0; b < 8; ++b) {
    if (((varying >> (8 * b)) & 0xff) == 0) continue;
    std::array<size_t, 256>& at = counts[static_cast<size_t>(b)];
    size_t start = 0;
    for (size_t& c : at) {
      const size_t count = c;
      c = start;
      start += count;
    }
    for (const uint64_t k : keys) scratch[at[(k >> (8 * b)) & 0xff]++] = k;
    keys.swap(scratch);
  }
}

}  // namespace kest
