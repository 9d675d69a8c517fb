// Ctrl+C against a real kest --script process: each long command must say
// "Interrupted" and end soon after the signal, and the script goes on. The
// latencies are printed, for the record; the bound is generous, since the
// sanitizer build and a busy machine slow everything down.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

#include "tests/script/long_commands.h"

namespace kest {
namespace {

using Clock = std::chrono::steady_clock;
using testing_support::LongCommand;

double secondsSince(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

struct Outcome {
  std::string out;
  double latency = -1;  // seconds from SIGINT to the line "Interrupted"
  bool killed = false;  // the hard deadline passed
};

// Seconds the setup may take, and the hard deadline after the signal:
// a deaf command is killed then, and its case fails in seconds, not hours.
constexpr double kSetupDeadline = 120.0;
constexpr double kAnswerDeadline = 20.0;

// Runs the script; delay seconds after it has printed "ready" (the
// command then runs), sends SIGINT and measures how long the answer takes.
Outcome interrupt(const std::string& script, double delay) {
  const std::string path = testing::TempDir() + "kest_interrupt.kest";
  std::ofstream(path, std::ios::binary) << script;
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return {};
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(pipeFds[1], 1);
    ::close(pipeFds[0]);
    ::execl(KEST_BINARY, KEST_BINARY, "--script", path.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(pipeFds[1]);
  Outcome run;
  char buffer[4096];
  const Clock::time_point started = Clock::now();
  Clock::time_point ready{};
  Clock::time_point sent{};
  bool isReady = false;
  bool signalled = false;
  for (;;) {
    if (!isReady && secondsSince(started) > kSetupDeadline) break;
    if (signalled && secondsSince(sent) > kAnswerDeadline) break;
    if (isReady && !signalled && secondsSince(ready) >= delay) {
      sent = Clock::now();
      ::kill(pid, SIGINT);
      signalled = true;
    }
    pollfd p{pipeFds[0], POLLIN, 0};
    if (::poll(&p, 1, 5) <= 0) continue;
    const ssize_t n = ::read(pipeFds[0], buffer, sizeof buffer);
    if (n <= 0) break;
    run.out.append(buffer, static_cast<size_t>(n));
    if (!isReady && run.out.find("ready\n") != std::string::npos) {
      isReady = true;
      ready = Clock::now();
    }
    if (signalled && run.latency < 0 && run.out.find("Interrupted\n") != std::string::npos) {
      run.latency = secondsSince(sent);
    }
  }
  // After the end of its output the process still has to exit; past a
  // deadline it is killed.
  int status = 0;
  const Clock::time_point ended = Clock::now();
  while (::waitpid(pid, &status, WNOHANG) == 0) {
    const bool late = (!isReady && secondsSince(started) > kSetupDeadline) ||
                      (signalled && secondsSince(sent) > kAnswerDeadline) || secondsSince(ended) > kAnswerDeadline;
    if (late) {
      ::kill(pid, SIGKILL);
      run.killed = true;
      ::waitpid(pid, &status, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ::close(pipeFds[0]);
  return run;
}

// Every long command, stopped early, a while in and late: a phase that
// does not poll, or a stop that an inner loop swallows, shows at one of
// these moments.
TEST(Interrupt, LongCommandsStopSoonAfterCtrlCAtEveryMoment) {
  for (const LongCommand& c : testing_support::longCommands()) {
    for (double delay : {0.2, 1.0, 3.0}) {
      const Outcome run = interrupt(c.setup + "echo ready\n" + c.command + "\necho after\n", delay);
      const std::string what = c.name + ", Ctrl+C after " + std::to_string(delay).substr(0, 3) + " s";
      std::printf("  %-60s %.3f s%s\n", what.c_str(), run.latency, run.killed ? " (killed)" : "");
      EXPECT_FALSE(run.killed) << what << ": no answer within " << kAnswerDeadline << " s";
      EXPECT_NE(run.out.find("Interrupted\nafter\n"), std::string::npos) << what << ":\n" << run.out.substr(0, 400);
      EXPECT_GE(run.latency, 0) << what;
      EXPECT_LT(run.latency, 5.0) << what;  // generous: sanitizers, a busy machine
    }
  }
}

// With standard error on a terminal, a long command shows its name and
// progress there on one line, which goes away when the command ends.
TEST(Interrupt, ProgressShowsOnATerminalOnly) {
  const std::string path = testing::TempDir() + "kest_progress.kest";
  // 2x+y+1 over Z_2000 is abelian but no translations compose: minutes.
  std::ofstream(path, std::ios::binary) << "signature +\nalgebra 2000\nlinear + 2 1 1\nkey a 0\necho after\n";
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(master, 0);
  ASSERT_EQ(::grantpt(master), 0);
  ASSERT_EQ(::unlockpt(master), 0);
  const std::string slave = ::ptsname(master);
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int tty = ::open(slave.c_str(), O_RDWR);
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(tty, 2);
    ::dup2(null, 1);
    ::execl(KEST_BINARY, KEST_BINARY, "--script", path.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  std::string seen;
  char buffer[4096];
  const Clock::time_point start = Clock::now();
  bool signalled = false;
  while (Clock::now() - start < std::chrono::seconds(60)) {
    pollfd p{master, POLLIN, 0};
    if (::poll(&p, 1, 100) > 0) {
      const ssize_t n = ::read(master, buffer, sizeof buffer);
      if (n <= 0) break;
      seen.append(buffer, static_cast<size_t>(n));
    }
    if (!signalled && seen.find("pairs") != std::string::npos) {
      ::kill(pid, SIGINT);
      signalled = true;
    }
    int status = 0;
    if (signalled && ::waitpid(pid, &status, WNOHANG) == pid) break;
  }
  if (!signalled) ::kill(pid, SIGKILL);
  ::waitpid(pid, nullptr, 0);
  ::close(master);
  EXPECT_TRUE(signalled) << seen;
  EXPECT_NE(seen.find("Abelianness of A0: "), std::string::npos) << seen;
  // Cleared at the end: the last thing written is the erasing sequence.
  EXPECT_EQ(seen.substr(seen.size() >= 4 ? seen.size() - 4 : 0), "\r\033[K") << seen;
}

}  // namespace
}  // namespace kest
