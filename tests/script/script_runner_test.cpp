#include "script/script_runner.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sstream>

#include "script/sigint_progress.h"

namespace kest {
namespace {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome run(const std::string& script) {
  std::istringstream in(script);
  std::ostringstream out;
  std::ostringstream err;
  const int status = runScript(in, "t.kest", out, err);
  return {status, out.str(), err.str()};
}

TEST(ScriptRunner, BlankLinesCommentsAndVerbatimArguments) {
  const Outcome r = run("\n  # comment\n   echo  a  b  \necho\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "a  b\n\n");
}

TEST(ScriptRunner, MessagesArePrintedWheneverACommandWritesThem) {
  const Outcome r = run("signature .\nalgebra 1\ntable 0 . a\nequation x=x\nkey s 0\nkey s A0\nkey C 0\nmessages\n");
  EXPECT_EQ(r.status, 0) << r.err;
  // Copying clears the lines: nothing printed, and messages prints none.
  EXPECT_EQ(r.out, "E0   satisfied\nE0   satisfied\n");
}

TEST(ScriptRunner, ErrorsNameTheLineAndStopTheRun) {
  const struct {
    const char* script;
    const char* error;
  } cases[] = {
      {"frobnicate", "kest: t.kest:1: unknown verb 'frobnicate'\n"},
      {"algebra 3", "kest: t.kest:1: no signature given yet\n"},
      {"signature .\nsignature +", "kest: t.kest:2: the signature is given once, before everything that needs it\n"},
      {"signature .\nshow 0", "kest: t.kest:2: expected one algebra number\n"},
      {"signature .\nalgebra 2\ntable 0 . ab", "kest: t.kest:3: expected 2 rows\n"},
      {"signature .\nalgebra 2\ntable 0 . ab a", "kest: t.kest:3: row 2 should have 2 entries\n"},
      {"signature .\nalgebra 2\ntable 0 + ab ab", "kest: t.kest:3: '+' is no operation symbol\n"},
      {"signature .\nalgebra 2\ncell 0 . a c b", "kest: t.kest:3: 'c' is no element of A0\n"},
      {"signature .\nalgebra 2\ncell 0 . a b", "kest: t.kest:3: expected 2 element names and a key\n"},
      {"signature .\nalgebra 2\nglue now", "kest: t.kest:3: this verb takes no argument\n"},
      {"signature L\nlinear", "kest: t.kest:2: missing argument\n"},
      {"signature .\nalgebra 2\nkey C 1", "kest: t.kest:3: expected: key C K [TEXT]\n"},
      {"signature .\nred A", "kest: t.kest:2: expected one algebra number\n"},
      {"signature .\nterm", "kest: t.kest:2: missing argument\n"},
      {"signature .\ndelete algebra 0", "kest: t.kest:2: expected: delete term LETTER, or delete formula NUMBER\n"},
      {"signature .\nlist now", "kest: t.kest:2: this verb takes no argument\n"},
  };
  for (const auto& c : cases) {
    const Outcome r = run(c.script);
    EXPECT_EQ(r.status, 2) << c.script;
    EXPECT_EQ(r.err, c.error) << c.script;
  }
}

TEST(ScriptRunner, IgnoredInputIsNoError) {
  const Outcome r = run("signature .\nterm x+y\nnot 4\ndelete formula 3\ndelete term C\nalgebra 0\nlist\nmarks\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "red -1 green -1\n");
}

TEST(ScriptRunner, RandomLinesNeverCrash) {
  const std::string words[] = {"signature", "term",  "equation", "and",    "or",   "implies", "iff",
                               "not",       "algebra", "red",    "green",  "table", "cell",   "key",
                               "delete",    "polish", "new",     "messages", "list", "info",  "show",
                               "marks",     "echo"};
  const std::string args[] = {"", "0", "A0", "x+y", "1 2 ", ". aa aa", "0 . a b c", "s 0", "C 0", "term A",
                              "formula 0", "abc", "-5", "3001", "2", "L", "xy=yx", "0 0"};
  uint32_t state = 17;
  auto next = [&state] { return state = state * 1103515245u + 12345u; };
  for (int round = 0; round < 300; ++round) {
    std::string script = "signature . + - 0\n";
    for (int line = 0; line < 20; ++line) {
      script += words[(next() >> 8) % std::size(words)] + " " + args[(next() >> 8) % std::size(args)] + "\n";
    }
    const Outcome r = run(script);
    EXPECT_TRUE(r.status == 0 || r.status == 2);
  }
}

}  // namespace
}  // namespace kest

namespace kest {
namespace {

TEST(SigintProgress, AnInterruptStopsTheRunningCommandAndNotTheNext) {
  SigintProgress progress;
  progress.beginCommand();
  EXPECT_FALSE(progress.stopRequested());
  std::raise(SIGINT);
  EXPECT_TRUE(progress.stopRequested());
  EXPECT_TRUE(progress.stopRequested());  // every level of the command unwinds
  progress.beginCommand();
  EXPECT_FALSE(progress.stopRequested());
  // One that arrives between commands is forgotten when the next begins.
  std::raise(SIGINT);
  progress.beginCommand();
  EXPECT_FALSE(progress.stopRequested());
}

TEST(ScriptRunner, StandardInputScriptsRunTheSameWay) {
  std::istringstream in("signature .\nalgebra 1\ntable 0 . a\nequation x=x\nkey s 0\n");
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(runScript(in, "-", out, err), 0);
  EXPECT_EQ(out.str(), "E0   satisfied\n");
}

}  // namespace
}  // namespace kest
