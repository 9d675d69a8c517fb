// The lists of Con and Sub: the message area keeps what it holds (the
// rest is cut, and said to be), a saved list holds every line, and saving
// leaves no half file behind when it cannot finish.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "commands/con_sub_commands.h"
#include "core/algebra_store.h"
#include "core/command_scope.h"
#include "core/limits.h"
#include "tests/oracle/random_inputs.h"
#include "tests/oracle/test_progress.h"

namespace kest {
namespace {

std::vector<std::string> fileLines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool exists(const std::string& path) { return std::ifstream(path).good(); }

// A unary operation with no entry defined: every subset is a subuniverse,
// 2^n of them (about 300,000 bytes of lines for n = 14).
Workspace freeElements(int32_t n) {
  Workspace ws = oracle::workspaceWithSignature("-");
  createAlgebra(ws, n);
  return ws;
}

TEST(LatticeList, TheMessageAreaIsCutAndTheSavedListIsWhole) {
  Workspace ws = freeElements(14);
  subuniverseLatticeReport(ws, 0, 100000, noProgress());
  const std::vector<std::string> shown = ws.messages.lines();
  ASSERT_GT(shown.size(), 1000u);
  ASSERT_LT(shown.size(), 16385u);
  size_t bytes = 0;
  for (const std::string& line : shown) bytes += line.size() + 1;
  EXPECT_LE(bytes, static_cast<size_t>(kMessageBufferBytes));
  const std::string path = testing::TempDir() + "sub_list.txt";
  saveLatticeList(ws, path, noProgress());
  EXPECT_EQ(ws.messages.lines(),
            (std::vector<std::string>{"Sub(A0) has 16384 subuniverses, 14 join irreducible", "Written to " + path}));
  const std::vector<std::string> saved = fileLines(path);
  ASSERT_EQ(saved.size(), 16385u);
  // The lines the message area held are the file's first ones.
  for (size_t i = 0; i + 1 < shown.size(); ++i) ASSERT_EQ(saved[i], shown[i]) << i;
  EXPECT_EQ(saved[1], "S0  {}");
  EXPECT_EQ(saved.back(), "S16383  abcdefghijklmn");
  std::remove(path.c_str());
}

TEST(LatticeList, SavingFailsCleanly) {
  Workspace ws = freeElements(17);
  const std::string path = testing::TempDir() + "sub_list_stopped.txt";
  std::remove(path.c_str());
  saveLatticeList(ws, path, noProgress());
  EXPECT_EQ(ws.messages.lines(), std::vector<std::string>{"No Con(A) or Sub(A) has been listed"});
  EXPECT_FALSE(exists(path));
  subuniverseLatticeReport(ws, 0, 1000000, noProgress());
  saveLatticeList(ws, testing::TempDir() + "no_such_folder/list.txt", noProgress());
  EXPECT_EQ(ws.messages.lines(),
            std::vector<std::string>{"Could not write " + testing::TempDir() + "no_such_folder/list.txt"});
  // Stopped early and late: no file, and no part of one.
  for (int64_t at : {1, 3}) {
    oracle::StopAtPoll stop(at);
    runCommand(ws, stop, 0, [&] {
      saveLatticeList(ws, path, stop);
      return 0;
    });
    EXPECT_TRUE(stop.stopped()) << at;
    EXPECT_EQ(ws.messages.lines(), std::vector<std::string>{"Interrupted"}) << at;
    EXPECT_FALSE(exists(path)) << at;
    EXPECT_FALSE(exists(path + ".part")) << at;
  }
}

}  // namespace
}  // namespace kest
