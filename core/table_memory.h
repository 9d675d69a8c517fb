// Memory for large tables. A table of hundreds of megabytes touched page
// by page costs a fault per 4 KiB page, which takes longer than writing
// it; large tables ask the kernel for huge pages instead (where it gives
// them on request), a fault per 2 MiB.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kest {

// t becomes count copies of value, in memory backed by huge pages when
// count is large. Throws std::bad_alloc as assign does.
void assignTable(std::vector<int32_t>& t, size_t count, int32_t value);

// t becomes empty with room for count entries in huge-page memory, which
// is not touched yet: a table written once by appending costs one pass.
void reserveTable(std::vector<int32_t>& t, size_t count);

// t becomes a copy of from, likewise.
void copyTable(std::vector<int32_t>& t, const std::vector<int32_t>& from);

// Asks for huge pages over memory not yet touched (a hint; large ranges only).
void adviseHugePages(void* start, size_t bytes);

}  // namespace kest
