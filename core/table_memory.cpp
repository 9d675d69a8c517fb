#include "core/table_memory.h"

#include <cstdint>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace kest {

namespace {

constexpr size_t kHugePage = size_t{2} << 20;

// Reserves room for count entries and asks for huge pages over it; the
// memory is not touched yet.
void reserveHuge(std::vector<int32_t>& t, size_t count) {
  t.clear();
  t.shrink_to_fit();
  t.reserve(count);
  adviseHugePages(t.data(), count * sizeof(int32_t));
}

}  // namespace

void adviseHugePages(void* start, size_t bytes) {
#ifdef __linux__
  if (bytes < 4 * kHugePage) return;
  const auto from = reinterpret_cast<uintptr_t>(start);
  const uintptr_t first = (from + kHugePage - 1) & ~(kHugePage - 1);
  const uintptr_t end = (from + bytes) & ~(kHugePage - 1);
  if (end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);  // a hint only
#else
  (void)start;
  (void)bytes;
#endif
}

void reserveTable(std::vector<int32_t>& t, size_t count) { reserveHuge(t, count); }

void assignTable(std::vector<int32_t>& t, size_t count, int32_t value) {
  reserveHuge(t, count);
  t.assign(count, value);
}

void copyTable(std::vector<int32_t>& t, const std::vector<int32_t>& from) {
  reserveHuge(t, from.size());
  t.assign(from.begin(), from.end());
}

}  // namespace kest
