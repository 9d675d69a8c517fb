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
  for (const std::string& line : lines) {
    // A line cut at a zero byte, as the packed buffer would store it.
    const size_t len = line.find('\0') == std::string::npos ? line.size() : line.find('\0');
    if (used + len + 1 > static_cast<size_t>(kMessageBufferBytes)) break;
    used += len + 1;
    ++keep;
  }
  lines.resize(keep);
  for (std::string& line : lines) {
    if (const size_t nul = line.find('\0'); nul != std::string::npos) line.resize(nul);
  }
  lines_ = std::move(lines);
}

}  // namespace kest
