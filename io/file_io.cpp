#include "io/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace kest {

namespace {

// Closes a descriptor when it goes out of scope.
struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

bool writeAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// The temporary file being written, for the signal handler; empty when none.
char pendingTemporary[PATH_MAX + 1] = {};

void setPending(const std::string& path) {
  if (path.size() > PATH_MAX) return;
  std::memcpy(pendingTemporary, path.c_str(), path.size() + 1);
}

void clearPending() { pendingTemporary[0] = '\0'; }

std::string directoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseNameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a write to path really changes: a symlink's final target.
std::string resolvedTarget(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  char* real = ::realpath(path.c_str(), nullptr);
  if (real) {
    std::string out(real);
    std::free(real);
    return out;
  }
  // A dangling link: the file it names, which the write will create.
  char buffer[PATH_MAX + 1];
  const ssize_t len = ::readlink(path.c_str(), buffer, PATH_MAX);
  if (len <= 0) return path;
  const std::string target(buffer, static_cast<size_t>(len));
  return target.front() == '/' ? target : directoryOf(path) + "/" + target;
}

// Someone may write it: a write bit is set and this process may write.
bool writable(const std::string& path, const struct stat& st) {
  return (st.st_mode & 0222) != 0 && ::access(path.c_str(), W_OK) == 0;
}

bool writeDirectly(const std::string& path, std::string_view data) {
  Descriptor f{::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC)};
  if (f.fd < 0) return false;
  const int flags = ::fcntl(f.fd, F_GETFL);
  if (flags >= 0) ::fcntl(f.fd, F_SETFL, flags & ~O_NONBLOCK);
  return writeAll(f.fd, data);
}

bool replaceAtomically(const std::string& target, const struct stat* old, std::string_view data) {
  std::string temporary = directoryOf(target) + "/." + baseNameOf(target) + ".kest-save-XXXXXX";
  Descriptor f{::mkostemp(temporary.data(), O_CLOEXEC)};
  if (f.fd < 0) return false;
  setPending(temporary);
  mode_t mode = 0666;
  if (old) {
    mode = old->st_mode & 07777;
    // Keeps the owner and group where this process may (as root it may).
    if (::fchown(f.fd, old->st_uid, old->st_gid) != 0) {
      // Not ours to give away: the new file belongs to us, with the old mode.
    }
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode &= ~mask;
  }
  const bool ok = ::fchmod(f.fd, mode) == 0 && writeAll(f.fd, data) && ::fsync(f.fd) == 0 && ::close(f.fd) == 0 &&
                  (f.fd = -1, ::rename(temporary.c_str(), target.c_str()) == 0);
  if (!ok) ::unlink(temporary.c_str());
  clearPending();
  return ok;
}

}  // namespace

std::optional<std::string> readWholeFile(const std::string& path, std::string& error, int64_t maxBytes) {
  error.clear();
  // Non-blocking, so that opening a pipe with no writer cannot hang.
  Descriptor f{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
  if (f.fd < 0) return std::nullopt;
  struct stat st {};
  if (::fstat(f.fd, &st) != 0) return std::nullopt;
  if (!S_ISREG(st.st_mode)) {
    error = S_ISDIR(st.st_mode) ? "it is a folder" : "it is not a regular file";
    return std::nullopt;
  }
  if (st.st_size > maxBytes) {
    error = "it is larger than any file Kest writes (" + std::to_string(st.st_size) + " bytes)";
    return std::nullopt;
  }
  std::string text(static_cast<size_t>(st.st_size), '\0');
  size_t got = 0;
  while (got < text.size()) {
    const ssize_t n = ::read(f.fd, text.data() + got, text.size() - got);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n < 0) return std::nullopt;
    if (n == 0) break;  // the file shrank while being read
    got += static_cast<size_t>(n);
  }
  text.resize(got);
  return text;
}

bool writeFileAtomically(const std::string& path, std::string_view data) {
  if (path.empty()) return false;
  const std::string target = resolvedTarget(path);
  struct stat st {};
  if (::stat(target.c_str(), &st) != 0) {
    if (errno != ENOENT) return false;
    return replaceAtomically(target, nullptr, data);
  }
  if (S_ISDIR(st.st_mode)) return false;
  if (!S_ISREG(st.st_mode)) return writeDirectly(target, data);
  if (!writable(target, st)) return false;
  return replaceAtomically(target, &st, data);
}

void removePendingTemporaryFile() {
  if (pendingTemporary[0] != '\0') ::unlink(pendingTemporary);
}

std::optional<std::string_view> LineReader::next() {
  if (pos_ >= text_.size()) return std::nullopt;
  const size_t start = pos_;
  lineNumber_ = breaksSeen_ + 1;
  while (pos_ < text_.size() && text_[pos_] != '\r' && text_[pos_] != '\n') ++pos_;
  const std::string_view line = text_.substr(start, pos_ - start);
  while (pos_ < text_.size() && (text_[pos_] == '\r' || text_[pos_] == '\n')) {
    // CR LF is one break; a lone CR or LF is one too.
    if (text_[pos_] == '\n' || pos_ + 1 >= text_.size() || text_[pos_ + 1] != '\n') ++breaksSeen_;
    ++pos_;
  }
  return line;
}

}  // namespace kest
