// The message lines in which commands report. They model a packed buffer of
// 100000 bytes (each line with its terminator): a report that would not fit
// is cut at a line boundary. Every write bumps writeSerial, so a front end
// can tell that a command reported, even with the same text as before.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kest {

class MessageLines {
 public:
  // Replaces the lines by one line.
  void setMessage(std::string line);
  // Replaces the lines by a report of several lines.
  void setReport(std::vector<std::string> lines);
  void clearMessages() { lines_.clear(); }

  int32_t count() const { return static_cast<int32_t>(lines_.size()); }
  const std::vector<std::string>& lines() const { return lines_; }
  uint64_t writeSerial() const { return serial_; }
  // Used when earlier lines are put back: the count never goes backwards.
  void setSerialAtLeast(uint64_t serial) {
    if (serial_ < serial) serial_ = serial;
  }

 private:
  std::vector<std::string> lines_;
  uint64_t serial_ = 0;
};

}  // namespace kest
