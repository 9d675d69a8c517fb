#include "script/sigint_progress.h"

#include <csignal>
#include <unistd.h>

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

SigintProgress::SigintProgress() { std::signal(SIGINT, onSigint); }

SigintProgress::~SigintProgress() { std::signal(SIGINT, SIG_DFL); }

bool SigintProgress::pollStop() {
  if (!interruptPending) return false;
  interruptPending = 0;
  return true;
}

void SigintProgress::discardStop() { interruptPending = 0; }

}  // namespace kest
