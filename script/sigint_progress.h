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

  void setTask(const std::string& task) override;
  void report(int64_t done, int64_t total, const char* unit) override;
  void endCommand() override;

 protected:
  bool pollStop() override;
  void discardStop() override;

 private:
  using Clock = std::chrono::steady_clock;
  bool terminal_;
  bool shown_ = false;
  std::string task_;
  Clock::time_point started_ = Clock::now();
  Clock::time_point lastShown_ = Clock::now();
};

}  // namespace kest
