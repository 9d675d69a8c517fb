// Stops a running script command on SIGINT: the first interrupt asks the
// command to stop (it then reports "Interrupted" and the script goes on);
// a second one before the command has noticed ends the process. While
// standard error is a terminal, the command's progress is shown there on
// one line that is rewritten a few times a second.
#pragma once

#include <chrono>
#include <string>

#include "core/progress.h"

namespace kest {

class SigintProgress final : public Progress {
 public:
  SigintProgress();
  ~SigintProgress() override;

 protected:
  bool pollStop() override;
  void discardStop() override;
};

}  // namespace kest
