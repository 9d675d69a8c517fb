// Ctrl+C against a real kest --script process: each long command must say
// "Interrupted" and end soon after the signal, and the script goes on. The
// latencies are printed, for the record; the bound is generous, since the
// sanitizer build and a busy machine slow everything down.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace kest {
namespace {

using Clock = std::chrono::steady_clock;

// A .t file of an n-element algebra in the signature "-" (one unary
// operation), the cycle x -> x+1.
std::string cycleFile(int32_t n) {
  const std::string path = testing::TempDir() + "kest_cycle_" + std::to_string(n) + ".t";
  std::ofstream out(path, std::ios::binary);
  out << "1 0 0 1\r\n-\r\n" << n << "\r\n";
  for (int32_t x = 0; x < n; ++x) out << ' ' << (x + 1) % n;
  out << "\r\n";
  return path;
}

struct Outcome {
  std::string out;
  double latency = -1;  // seconds from SIGINT to the line "Interrupted"
};

// Runs the script; once it has printed "ready", waits a moment (the next
// command is then running), sends SIGINT and measures how long the rest
// takes.
Outcome interrupt(const std::string& script) {
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
  Clock::time_point sent{};
  bool signalled = false;
  for (;;) {
    const ssize_t n = ::read(pipeFds[0], buffer, sizeof buffer);
    if (n <= 0) break;
    run.out.append(buffer, static_cast<size_t>(n));
    if (signalled && run.latency < 0 && run.out.find("Interrupted\n") != std::string::npos) {
      run.latency = std::chrono::duration<double>(Clock::now() - sent).count();
    }
    if (!signalled && run.out.find("ready\n") != std::string::npos) {
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
      sent = Clock::now();
      ::kill(pid, SIGINT);
      signalled = true;
    }
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  ::close(pipeFds[0]);
  return run;
}

struct LongCommand {
  const char* name;
  std::string setup;
  std::string command;
};

std::string chainLattice3000() {
  // A 62-element chain, glued on top of itself until it passes 3000.
  std::string names;
  for (char c = 'a'; c <= 'z'; ++c) names += c;
  for (char c = 'A'; c <= 'Z'; ++c) names += c;
  for (char c = '0'; c <= '9'; ++c) names += c;
  std::string s = "signature L\nalgebra 62\nlattice " + names + "\n";
  for (int32_t k = 0; k < 49; ++k) s += "red " + std::to_string(k) + "\ngreen 0\nglue\n";
  return s + "red 49\n";
}

TEST(Interrupt, LongCommandsStopSoonAfterCtrlC) {
  const std::string z3000 = "signature +\nalgebra 3000\nlinear + 1 1 0\n";
  const std::string partial3000 = "signature .\nalgebra 3000\nlinear . 1 0 0\nequation (xy)z=x(yz)\n";
  const LongCommand commands[] = {
      {"key a on Z_3000", z3000, "key a 0"},
      // Z_2999 (2999 is prime) does not embed into Z_3000, and the search
      // closes the subgroup of every candidate to learn it.
      {"key e, Z_2999 into Z_3000", z3000 + "algebra 2999\nred 1\nlinear + 1 1 0\ngreen 0\n", "key e 1"},
      {"embed, Z_2999 into Z_3000", z3000 + "algebra 2999\nred 1\nlinear + 1 1 0\ngreen 0\n", "embed"},
      {"key i on 2x+y+1 over Z_3000", "signature +\nalgebra 3000\nlinear + 2 1 1\n", "key i 0"},
      {"key l on a 3000-element chain", chainLattice3000(), "key l 49"},
      {"key x on a 3000-element partial algebra", partial3000 + "cell 0 . a a .\n", "key x 0"},
      {"free-partial 2147483647", partial3000 + "cell 0 . a a .\n", "free-partial 2147483647"},
      {"key i on 9,000,000 elements",
       "signature -\nopen " + cycleFile(3000) + "\nopen " + cycleFile(3000) + "\nred 0\ngreen 1\nproduct\n", "key i 2"},
  };
  for (const LongCommand& c : commands) {
    const Outcome run = interrupt(c.setup + "echo ready\n" + c.command + "\necho after\n");
    std::printf("  %-45s %.3f s\n", c.name, run.latency);
    EXPECT_NE(run.out.find("Interrupted\nafter\n"), std::string::npos) << c.name << ":\n" << run.out.substr(0, 400);
    EXPECT_GE(run.latency, 0) << c.name;
    EXPECT_LT(run.latency, 5.0) << c.name;  // generous: a deaf loop runs for minutes
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
