#include "io/algebra_text.h"

#include <cstdio>

namespace kest {

int32_t entryWidth(int32_t n) {
  if (n <= 100) return 3;
  if (n <= 1000) return 4;
  if (n <= 10000) return 5;
  if (n <= 100000) return 6;
  // Above the widths the format fixes, one more than the largest entry's
  // digits, so that a blank always separates entries.
  int32_t digits = 1;
  for (int32_t top = n - 1; top >= 10; top /= 10) ++digits;
  return digits + 1;
}

namespace {

void appendEntries(std::string& line, const int32_t* entries, int64_t count, int32_t width) {
  char buffer[16];
  for (int64_t i = 0; i < count; ++i) {
    const int len = std::snprintf(buffer, sizeof buffer, "%*d", width, entries[i]);
    line.append(buffer, static_cast<size_t>(len));
  }
}

}  // namespace

std::vector<std::string> algebraTextLines(const Workspace& ws, int32_t k) {
  std::vector<std::string> lines;
  const Algebra& a = ws.algebra(k);
  const int32_t n = a.card;
  const int32_t width = entryWidth(n);
  lines.push_back(std::to_string(n));
  const int64_t rows = static_cast<int64_t>(ws.sig.binaryCount) * n + ws.sig.unaryCount;
  for (int64_t r = 0; r < rows; ++r) {
    std::string line;
    appendEntries(line, a.table.data() + r * n, n, width);
    lines.push_back(std::move(line));
  }
  if (ws.sig.constantCount > 0) {
    std::string line;
    appendEntries(line, a.table.data() + rows * n, ws.sig.constantCount, width);
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace kest
