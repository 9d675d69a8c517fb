// Reading and writing whole files, and finding lines the way the readers
// want them: a line ends at CR or LF, and every run of CR and LF after it
// is skipped, so blank lines count for nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kest {

// No file Kest reads can be larger: the largest table written as text.
inline constexpr int64_t kMaxFileBytes = int64_t{6} << 30;

// The whole of a regular file of at most maxBytes bytes. Anything else (a
// directory, a device, a pipe, a file too large) is refused without
// reading from it or blocking: error then says why ("it is not a regular
// file"), or is empty when the file could not be opened at all.
std::optional<std::string> readWholeFile(const std::string& path, std::string& error, int64_t maxBytes = kMaxFileBytes);

// Writes data to path so that a failure never destroys what was there:
// an ordinary file is replaced atomically by a temporary file beside it
// (named ".NAME.kest-save-XXXXXX", synced before the rename, removed on
// every failure), which takes over the old file's permissions; a symlink
// is written through to its target; something that is not a regular file
// (a device, a pipe) is written directly. A target that is not writable
// is refused. False on failure.
bool writeFileAtomically(const std::string& path, std::string_view data);

// Removes a temporary file that a write left behind when the process is
// ended by a signal; safe to call from a signal handler.
void removePendingTemporaryFile();

class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}
  // The next line, or nothing at the end of the text.
  std::optional<std::string_view> next();
  // The line number (from 1, counting every line break) of the line that
  // next returned last.
  int64_t lineNumber() const { return lineNumber_; }

 private:
  std::string_view text_;
  size_t pos_ = 0;
  int64_t lineNumber_ = 0;
  int64_t breaksSeen_ = 0;
};

}  // namespace kest
