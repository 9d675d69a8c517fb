// How a long computation learns that the user wants it stopped. Algorithms
// poll stopRequested at coarse intervals (every few million elementary
// steps) and, when it answers true, return without changing the workspace;
// the command that ran them then reports "Interrupted".
#pragma once

namespace kest {

class Progress {
 public:
  virtual ~Progress() = default;
  virtual bool stopRequested() = 0;
};

// For callers that never stop a computation.
class NoProgress final : public Progress {
 public:
  bool stopRequested() override { return false; }
};

Progress& noProgress();

}  // namespace kest
