// Progress objects for tests: one that asks to stop after a number of
// seconds (so that a command that should answer at once, but regressed,
// fails in seconds rather than running for minutes), one that asks at a
// given poll, and one that keeps every report.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "core/progress.h"

namespace kest::oracle {

class StopAfterSeconds final : public Progress {
 public:
  explicit StopAfterSeconds(double seconds) : seconds_(seconds) {}

 protected:
  bool pollStop() override { return std::chrono::duration<double>(Clock::now() - start_).count() > seconds_; }
  void discardStop() override { start_ = Clock::now(); }

 private:
  using Clock = std::chrono::steady_clock;
  double seconds_;
  Clock::time_point start_ = Clock::now();
};

// Asks to stop at poll number at (1 for the first), and counts the polls.
class StopAtPoll final : public Progress {
 public:
  explicit StopAtPoll(int64_t at) : at_(at) {}
  int64_t polls() const { return polls_; }

 protected:
  bool pollStop() override { return ++polls_ >= at_; }

 private:
  int64_t at_;
  int64_t polls_ = 0;
};

struct Report {
  int64_t done;
  int64_t total;
  std::string unit;
};

class RecordingProgress final : public Progress {
 public:
  std::vector<Report> reports;
  void report(int64_t done, int64_t total, const char* unit) override { reports.push_back({done, total, unit}); }

 protected:
  bool pollStop() override { return false; }
};

}  // namespace kest::oracle
