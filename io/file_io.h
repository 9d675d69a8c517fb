// Reading and writing whole files, and finding lines the way the readers
// want them: a line ends at CR or LF, and every run of CR and LF after it
// is skipped, so blank lines count for nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kest {

std::optional<std::string> readWholeFile(const std::string& path);

// Writes data to a temporary file beside path and renames it over path, so
// that a failure half-way leaves the old file as it was. False on failure.
bool writeFileAtomically(const std::string& path, std::string_view data);

class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}
  // The next line, or nothing at the end of the text.
  std::optional<std::string_view> next();

 private:
  std::string_view text_;
  size_t pos_ = 0;
};

}  // namespace kest
