#include "core/messages.h"

#include "core/limits.h"

namespace kest {

void MessageLines::setMessage(std::string line) {
  std::vector<std::string> one;
  one.push_back(std::move(line));
  setReport(std::move(one));
}

void MessageLines::setReport(std::vector<std::string> lines) {
  ++serial_;
  size_t used = 0;
  size_t keep = 0;
  const size_t capacity = static_cast<size_t>(kMessageBufferBytes);
  for (std::string& line : lines) {
    // A line cut at a zero byte, as the packed buffer would store it.
    if (const size_t nul = line.find('\0'); nul != std::string::npos) line.resize(nul);
    if (used + line.size() + 1 <= capacity) {
      used += line.size() + 1;
      ++keep;
      continue;
    }
    // The first line that does not fit is cut and ends in "...", so that
    // a long result is never dropped without a trace.
    if (used + 4 <= capacity) {
      line.resize(capacity - used - 4);
      line += "...";
      ++keep;
    }
    break;
  }
  lines.resize(keep);
  lines_ = std::move(lines);
}

}  // namespace kest
