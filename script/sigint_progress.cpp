#include "script/sigint_progress.h"

#include <unistd.h>

#include <csignal>

#include "io/file_io.h"

namespace kest {

namespace {

volatile std::sig_atomic_t interruptPending = 0;

extern "C" void onSigint(int) {
  if (interruptPending) {
    removePendingTemporaryFile();  // a save cut short leaves nothing behind
    _exit(130);
  }
  interruptPending = 1;
}

}  // namespace

SigintProgress::SigintProgress() : terminal_(isatty(STDERR_FILENO) == 1) { std::signal(SIGINT, onSigint); }

SigintProgress::~SigintProgress() { std::signal(SIGINT, SIG_DFL); }

bool SigintProgress::pollStop() {
  if (!interruptPending) return false;
  interruptPending = 0;
  return true;
}

void SigintProgress::discardStop() { interruptPending = 0; }

void SigintProgress::setTask(const std::string& task) {
  task_ = task;
  started_ = Clock::now();
}

// Shown once a command has run half a second, then four times a second:
// quick commands never flash a line.
void SigintProgress::report(int64_t done, int64_t total, const char* unit) {
  if (!terminal_) return;
  const Clock::time_point now = Clock::now();
  if (now - started_ < std::chrono::milliseconds(500)) return;
  if (shown_ && now - lastShown_ < std::chrono::milliseconds(250)) return;
  lastShown_ = now;
  shown_ = true;
  const std::string line =
      "\r\033[K" + (task_.empty() ? std::string() : task_ + ": ") + progressText(done, total, unit);
  (void)!write(STDERR_FILENO, line.data(), line.size());
}

void SigintProgress::endCommand() {
  task_.clear();
  started_ = Clock::now();
  if (!shown_) return;
  shown_ = false;
  static const char kClear[] = "\r\033[K";
  (void)!write(STDERR_FILENO, kClear, sizeof kClear - 1);
}

}  // namespace kest
