#include "core/radix_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace kest {
namespace {

// Keys drawn so that some bytes vary and others are shared by every key
// (the passes that are skipped), with many repeats.
std::vector<uint64_t> randomKeys(std::mt19937_64& rng, size_t count, uint64_t varyingBytes) {
  const uint64_t shared = rng() & ~varyingBytes;
  std::uniform_int_distribution<size_t> pick(0, count / 3 + 1);
  std::vector<uint64_t> pool(count / 3 + 2);
  for (uint64_t& k : pool) k = shared | (rng() & varyingBytes);
  std::vector<uint64_t> keys(count);
  for (uint64_t& k : keys) k = pool[pick(rng)];
  return keys;
}

TEST(RadixSort, AgreesWithAComparisonSort) {
  std::mt19937_64 rng(20261210);
  const uint64_t masks[] = {~uint64_t{0}, 0xff00000000000000ull, 0x00000000000000ffull, 0x0f0f00ff000000f0ull, 0};
  for (const size_t count : {0, 1, 2, 255, 256, 257, 1000, 70000}) {
    for (const uint64_t mask : masks) {
      std::vector<uint64_t> keys = randomKeys(rng, count, mask);
      std::vector<uint64_t> expected = keys;
      std::sort(expected.begin(), expected.end());
      radixSort(keys);
      ASSERT_EQ(keys, expected) << "count " << count << " mask " << std::hex << mask;
    }
  }
}

TEST(RadixSort, ExtremeKeys) {
  std::vector<uint64_t> keys;
  for (int i = 0; i < 300; ++i) keys.push_back(i % 3 == 0 ? ~uint64_t{0} : i % 3 == 1 ? 0 : uint64_t{1} << 63);
  radixSort(keys);
  EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end()));
  EXPECT_EQ(keys.front(), 0u);
  EXPECT_EQ(keys.back(), ~uint64_t{0});
  EXPECT_EQ(std::count(keys.begin(), keys.end(), uint64_t{1} << 63), 100);
}

}  // namespace
}  // namespace kest
