// How often long commands ask whether to stop: each runs for a while with
// a progress that times the gaps between its polls, then is asked to stop.
// Every moment of the run is tried, not a few: the longest gap is what a
// user waits after Ctrl+C at the worst moment. A watchdog ends the process
// when a command stays deaf, so a regression fails in seconds.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <sstream>
#include <string>
#include <thread>

#include "script/script_context.h"
#include "script/script_runner.h"
#include "tests/script/long_commands.h"

namespace kest {
namespace {

using Clock = std::chrono::steady_clock;
using testing_support::LongCommand;

double since(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

// Asks to stop once the command has run for stopAfter seconds, and keeps
// the longest gap between two polls (or from the start to the first).
class GapTimer final : public Progress {
 public:
  double stopAfter = 1e9;
  double longestGap = 0;
  double longestGapAt = 0;
  Clock::time_point start = Clock::now();
  Clock::time_point last = Clock::now();

 protected:
  bool pollStop() override {
    const Clock::time_point now = Clock::now();
    const double gap = std::chrono::duration<double>(now - last).count();
    if (gap > longestGap) {
      longestGap = gap;
      longestGapAt = since(start);
    }
    last = now;
    return since(start) > stopAfter;
  }
  void discardStop() override { start = last = Clock::now(); }
};

#if defined(KEST_SANITIZED)
constexpr double kSlowdown = 2.5;  // the sanitizers make every step slower
#else
constexpr double kSlowdown = 1.0;
#endif
// A tenth of a second is the aim on an idle machine; the bound leaves
// room for a busy one, where the tests run side by side. A deaf phase
// shows as seconds, or trips the watchdog.
constexpr double kMostGap = 1.0 * kSlowdown;
constexpr double kWatchdog = 30.0 * kSlowdown;

struct Measured {
  double took = 0;
  double longestGap = 0;
  double longestGapAt = 0;
  bool stopped = false;
  std::string out;
};

Measured measure(const LongCommand& c, double stopAfter) {
  std::ostringstream out;
  GapTimer progress;
  ScriptContext ctx{Workspace(), false, out, progress};
  std::istringstream setup(c.setup);
  for (std::string line; std::getline(setup, line);) EXPECT_EQ(runScriptLine(ctx, line), "") << c.name << ": " << line;
  progress.stopAfter = stopAfter;
  std::atomic<bool> done{false};
  std::thread watchdog([&] {
    const Clock::time_point t = Clock::now();
    while (!done) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      if (since(t) > stopAfter + kWatchdog) {
        std::fprintf(stderr, "%s: still running %.0f s after it was asked to stop\n", c.name.c_str(), kWatchdog);
        std::_Exit(1);
      }
    }
  });
  out.str("");
  const Clock::time_point t = Clock::now();
  runScriptLine(ctx, c.command);
  Measured m{since(t), progress.longestGap, progress.longestGapAt, progress.stopped(), out.str()};
  done = true;
  watchdog.join();
  return m;
}

void expectPromptStops(const std::vector<LongCommand>& commands, double stopAfter) {
  for (const LongCommand& c : commands) {
    const Measured m = measure(c, stopAfter);
    std::printf("  %-45s took %.2f s, longest gap %.3f s at %.2f s\n", c.name.c_str(), m.took, m.longestGap,
                m.longestGapAt);
    EXPECT_LT(m.longestGap, kMostGap) << c.name << " went " << m.longestGap << " s without a poll, at "
                                      << m.longestGapAt << " s";
    // Stopped or finished: either way within a gap of the stop.
    EXPECT_LT(m.took, stopAfter + kMostGap) << c.name;
    if (m.stopped) {
      EXPECT_EQ(m.out, "Interrupted\n") << c.name;
    }
  }
}

TEST(PollGaps, LongCommandsPollAtEveryMoment) { expectPromptStops(testing_support::longCommands(), 2.0); }

TEST(PollGaps, ShorterCommandsPollAtEveryMoment) { expectPromptStops(testing_support::shorterCommands(), 1.5); }

}  // namespace
}  // namespace kest
