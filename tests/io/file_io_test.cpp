// Saving and opening at the file system's edges: links, permissions,
// devices, pipes, folders, and what a failed save leaves behind.
#include "io/file_io.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "commands/file_commands.h"
#include "core/algebra_store.h"
#include "tests/oracle/random_inputs.h"

namespace kest {
namespace {

namespace fs = std::filesystem;

class Files : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(testing::TempDir()) / ("kest_files_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all);
    fs::remove_all(dir_);
  }
  std::string path(const char* name) const { return (dir_ / name).string(); }
  static std::string contents(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static void put(const std::string& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }
  // Files in the folder other than the named ones: leftovers of a save.
  int32_t strayFiles(std::initializer_list<const char*> expected) const {
    int32_t stray = 0;
    for (const auto& e : fs::directory_iterator(dir_)) {
      bool known = false;
      for (const char* name : expected) known |= e.path().filename() == name;
      stray += known ? 0 : 1;
    }
    return stray;
  }
  fs::path dir_;
};

TEST_F(Files, ASaveReplacesAnOrdinaryFileAndKeepsItsPermissions) {
  put(path("ws.txt"), "old");
  ::chmod(path("ws.txt").c_str(), 0640);
  ASSERT_TRUE(writeFileAtomically(path("ws.txt"), "new"));
  EXPECT_EQ(contents(path("ws.txt")), "new");
  struct stat st {};
  ASSERT_EQ(::stat(path("ws.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(strayFiles({"ws.txt"}), 0);
}

// A save used to replace the link by a file, leaving its target as it was.
TEST_F(Files, ASaveWritesThroughASymlinkToItsTarget) {
  put(path("target.t"), "old");
  fs::create_symlink("target.t", path("link.t"));
  ASSERT_TRUE(writeFileAtomically(path("link.t"), "new"));
  EXPECT_TRUE(fs::is_symlink(path("link.t")));
  EXPECT_EQ(contents(path("target.t")), "new");
  // A dangling link gets its target created.
  fs::create_symlink("absent.t", path("dangling.t"));
  ASSERT_TRUE(writeFileAtomically(path("dangling.t"), "made"));
  EXPECT_TRUE(fs::is_symlink(path("dangling.t")));
  EXPECT_EQ(contents(path("absent.t")), "made");
}

TEST_F(Files, AReadOnlyTargetIsRefusedAndKept) {
  put(path("ro.txt"), "keep");
  ::chmod(path("ro.txt").c_str(), 0444);
  EXPECT_FALSE(writeFileAtomically(path("ro.txt"), "lost"));
  EXPECT_EQ(contents(path("ro.txt")), "keep");
  EXPECT_EQ(strayFiles({"ro.txt"}), 0);
  Workspace ws = oracle::workspaceWithSignature(".");
  saveFile(ws, path("ro.txt"));
  ASSERT_EQ(ws.messages.count(), 1);
  EXPECT_EQ(ws.messages.lines()[0], "Could not write " + path("ro.txt"));
}

TEST_F(Files, SomethingThatIsNoRegularFileIsWrittenDirectly) {
  ASSERT_TRUE(writeFileAtomically("/dev/null", "anything"));
  struct stat st {};
  ASSERT_EQ(::stat("/dev/null", &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));
  // A pipe nobody reads is refused at once instead of blocking.
  ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);
  EXPECT_FALSE(writeFileAtomically(path("pipe"), "data"));
  EXPECT_FALSE(writeFileAtomically(dir_.string(), "data"));  // a folder
}

TEST_F(Files, AFailedSaveLeavesNoTemporaryFile) {
  // The folder refuses the temporary file: nothing is left, the old file stays.
  put(path("ws.txt"), "old");
  if (::geteuid() != 0) {
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(writeFileAtomically(path("ws.txt"), "new"));
    fs::permissions(dir_, fs::perms::owner_all);
    EXPECT_EQ(contents(path("ws.txt")), "old");
  }
  EXPECT_FALSE(writeFileAtomically(path("no/such/folder/ws.txt"), "new"));
  EXPECT_EQ(strayFiles({"ws.txt"}), 0);
  removePendingTemporaryFile();  // nothing pending: does nothing
}

// Opening /dev/zero read forever, and a pipe blocked until a writer came.
TEST_F(Files, OpenRefusesWhatIsNoRegularFile) {
  ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);
  for (const std::string& p : {std::string("/dev/zero"), path("pipe"), dir_.string()}) {
    std::string why;
    EXPECT_FALSE(readWholeFile(p, why).has_value()) << p;
    EXPECT_FALSE(why.empty()) << p;
  }
  Workspace ws = oracle::workspaceWithSignature(".");
  openFile(ws, "/dev/zero");
  ASSERT_EQ(ws.messages.count(), 1);
  EXPECT_EQ(ws.messages.lines()[0], "Could not read /dev/zero: it is not a regular file");
  openFile(ws, path("absent.txt"));
  EXPECT_EQ(ws.messages.lines()[0], "Could not open " + path("absent.txt"));
}

TEST_F(Files, OpenRefusesFilesLargerThanTheLimitWithoutReadingThem) {
  put(path("big.t"), std::string(4096, ' '));
  std::string why;
  EXPECT_FALSE(readWholeFile(path("big.t"), why, 4095).has_value());
  EXPECT_EQ(why, "it is larger than any file Kest writes (4096 bytes)");
  EXPECT_TRUE(readWholeFile(path("big.t"), why, 4096).has_value());
}

TEST(LineReader, LineNumbersCountEveryBreak) {
  LineReader lines("a\r\n\r\nb\n\nc\rd");
  std::vector<int64_t> numbers;
  while (lines.next()) numbers.push_back(lines.lineNumber());
  EXPECT_EQ(numbers, (std::vector<int64_t>{1, 3, 5, 6}));
}

}  // namespace
}  // namespace kest
