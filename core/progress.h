// How a long computation learns that the user wants it stopped, and how it
// tells how far it has come. Algorithms poll stopRequested often enough to
// answer within a tenth of a second and, when it answers true, return
// without changing the workspace; the command boundary then reports
// "Interrupted". A stop is sticky: once asked for, every later poll of the
// same command answers true, so nested loops all unwind. beginCommand
// forgets a stop that arrived between commands, so that it cannot stop the
// next, unrelated one.
#pragma once

#include <cstdint>
#include <string>

namespace kest {

class Progress {
 public:
  virtual ~Progress() = default;

  bool stopRequested() {
    if (!stopped_ && pollStop()) stopped_ = true;
    return stopped_;
  }
  // Whether the running (or last) command was asked to stop.
  bool stopped() const { return stopped_; }
  void beginCommand() {
    stopped_ = false;
    discardStop();
  }

  // What runs ("Minimal congruences of A3"), set by the command.
  virtual void setTask(const std::string& /*task*/) {}
  // How far it has come: done of total units (total 0: unknown), and the
  // unit's name in the plural ("pairs"). Cheap enough to call at every poll.
  virtual void report(int64_t /*done*/, int64_t /*total*/, const char* /*unit*/ = "") {}
  // The command has ended (its output follows): a shown progress goes away.
  virtual void endCommand() {}

 protected:
  // Whether a stop was asked for since the last call (or discardStop).
  virtual bool pollStop() = 0;
  virtual void discardStop() {}

 private:
  bool stopped_ = false;
};

// "120,000 of 4,498,500 pairs" (total 0: "120,000 pairs"; no unit: the
// figures alone), as the progress window and the terminal show it.
std::string progressText(int64_t done, int64_t total, const char* unit);

// Polls for a stop about every period units of work, for loops whose steps
// differ in cost: each step adds what it cost (a row of n entries adds n),
// so that the poll comes every few milliseconds however the work is cut.
// Once a stop was asked for, every later call answers true at once.
class WorkPoll {
 public:
  explicit WorkPoll(Progress& progress, int64_t period = int64_t{1} << 20) : progress_(progress), period_(period) {}

  // Whether to stop, after work more units.
  bool add(int64_t work) {
    return add(work, [] {});
  }
  // The same; atPoll runs at every poll, to report how far the work has come.
  template <class AtPoll>
  bool add(int64_t work, AtPoll&& atPoll) {
    done_ += work;
    if (done_ < period_) return progress_.stopped();
    done_ = 0;
    atPoll();
    return progress_.stopRequested();
  }
  Progress& progress() { return progress_; }

 private:
  Progress& progress_;
  int64_t period_;
  int64_t done_ = 0;
};

// For callers that never stop a computation.
class NoProgress final : public Progress {
 protected:
  bool pollStop() override { return false; }
};

// A fresh NoProgress; the object is shared, so its stop flag never sets.
Progress& noProgress();

}  // namespace kest
