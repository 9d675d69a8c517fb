// Stops a running script command on SIGINT: the first interrupt asks the
// command to stop (it then reports "Interrupted" and the script goes on);
// a second one before the command has noticed ends the process.
#pragma once

#include "core/progress.h"

namespace kest {

class SigintProgress final : public Progress {
 public:
  SigintProgress();
  ~SigintProgress() override;
  bool stopRequested() override;
};

}  // namespace kest
