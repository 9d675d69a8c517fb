#include "io/algebra_file.h"

#include <gtest/gtest.h>

#include <random>

#include "core/algebra_store.h"
#include "io/algebra_text.h"
#include "tests/oracle/random_inputs.h"

namespace kest {
namespace {

using oracle::workspaceWithSignature;

TEST(SingleAlgebraFile, TheTwoElementExample) {
  Workspace ws = workspaceWithSignature(".");
  createAlgebra(ws, 2);
  ws.algebra(0).table = {0, 0, 1, -1};
  EXPECT_EQ(singleAlgebraText(ws, 0), "1 0 0 1\r\n.\r\n2\r\n  0  0\r\n  1 -1\r\n");
}

TEST(SingleAlgebraFile, WidthsByCard) {
  Workspace ws = workspaceWithSignature("-");
  createAlgebra(ws, 100);
  createAlgebra(ws, 101);
  EXPECT_EQ(singleAlgebraText(ws, 0).size(), std::string("1 0 0 1\r\n-\r\n100\r\n").size() + 300 + 2);
  EXPECT_EQ(singleAlgebraText(ws, 1).size(), std::string("1 0 0 1\r\n-\r\n101\r\n").size() + 404 + 2);
}

TEST(SingleAlgebraFile, HiddenAlgebrasRoundTrip) {
  std::mt19937 rng(51);
  Workspace ws = workspaceWithSignature(". + - 0");
  const int32_t k = oracle::addRandomAlgebra(ws, 150, 0.1, rng);
  const std::string text = singleAlgebraText(ws, k);
  ASSERT_EQ(appendAlgebraText(ws, text), AppendStatus::kAppended);
  EXPECT_EQ(ws.algebra(1).table, ws.algebra(0).table);
  EXPECT_EQ(ws.algebra(1).displayed, 0);
}

TEST(SingleAlgebraFile, SignatureCheckAndCompletion) {
  Workspace ws = workspaceWithSignature("+ci -");
  // Other order and flags are accepted; the current flags complete the table.
  ASSERT_EQ(appendAlgebraText(ws, "2 0 0 1\r\n- +\r\n2\r\n 1 1\r\n 0 -1\r\n 1 0\r\n"), AppendStatus::kAppended);
  EXPECT_EQ(ws.algebra(0).table, (std::vector<int32_t>{0, 0, 0, 1, 1, 0}));
  // A symbol the signature lacks, or one too few, is refused.
  EXPECT_EQ(appendAlgebraText(ws, "2 0 0 1\r\n+ *\r\n1\r\n 0\r\n 0\r\n"), AppendStatus::kRejected);
  EXPECT_EQ(appendAlgebraText(ws, "1 0 0 1\r\n+\r\n1\r\n 0\r\n"), AppendStatus::kRejected);
  EXPECT_EQ(appendAlgebraText(ws, "2 0 0 1\r\n+-\r\n2\r\n 0 1\r\n"), AppendStatus::kRejected);  // rows missing
  EXPECT_EQ(ws.algebraCount(), 1);
  // Blanks after the last entry are no entry.
  ASSERT_EQ(appendAlgebraText(ws, "2 0 0 1\r\n+-\r\n1\r\n 0 \r\n 0\r\n"), AppendStatus::kAppended);
  EXPECT_EQ(ws.algebraCount(), 2);
}

// Entries that name no element used to load as undefined entries, and the
// file was taken as sound.
TEST(SingleAlgebraFile, EntriesThatNameNoElementRefuseTheFileWithAReason) {
  Workspace ws = workspaceWithSignature("+ -");
  const std::pair<const char*, const char*> cases[] = {
      {"2 0 0 1\r\n+-\r\n3\r\n 0 1 2\r\n 0 7 2\r\n 1 1 1\r\n 0 1 2\r\n",
       "line 5: '7' is not an element of a 3-element algebra"},
      {"2 0 0 1\r\n+-\r\n3\r\n 0 1 2\r\n 0 1 2\r\n 1 -2 1\r\n 0 1 2\r\n",
       "line 6: '-2' is not an element of a 3-element algebra"},
      {"2 0 0 1\r\n+-\r\n3\r\n 0 1 2\r\n 0 1 2\r\n 1 1 1\r\n a 1 2\r\n",
       "line 7: 'a' is not an element of a 3-element algebra"},
      {"2 0 0 1\r\n+-\r\n3\r\n 0 1 2\r\n 0 1\r\n", "line 5: expected 3 entries, found 2"},
      {"2 0 0 1\r\n+-\r\nthree\r\n", "line 3: 'three' is not a number of elements from 0 to 16777216"},
      {"2 0 0 1\r\n+-\r\n2147483647\r\n", "line 3: '2147483647' is not a number of elements from 0 to 16777216"},
      {"2 0 0 1\r\n+-\r\n4096\r\n", "the file is too short for 4096 elements"},
      {"2 0 0 1\r\n+-\r\n16777216\r\n", "line 3: the tables of 16777216 elements are larger than an algebra can have"},
      {"2 0 0 1\r\n+ *\r\n1\r\n", "line 2: the symbols are not those of the signature"},
  };
  for (const auto& [text, reason] : cases) {
    std::string why;
    EXPECT_EQ(appendAlgebraText(ws, text, &why), AppendStatus::kRejected) << text;
    EXPECT_EQ(why, reason);
  }
  EXPECT_EQ(ws.algebraCount(), 0);
}

TEST(BinaryAlgebraFile, LittleEndianWithoutFlags) {
  Workspace ws = workspaceWithSignature(".ci");
  createAlgebra(ws, 1);
  const std::string data = binaryAlgebraData(ws, 0);
  EXPECT_EQ(data, std::string("\x01\0\0\0\0\0\0\0\0\0\0\0\x01\0\0\0.\x01\0\0\0\0\0\0\0", 25));
}

}  // namespace
}  // namespace kest

#include "commands/file_commands.h"

namespace kest {
namespace {

TEST(FileCommands, TheDotTRuleIsOnTheLastTwoCharactersCaseSensitive) {
  EXPECT_TRUE(endsInDotT("algebra.t"));
  EXPECT_TRUE(endsInDotT(".t"));
  EXPECT_FALSE(endsInDotT("algebra.T"));
  EXPECT_FALSE(endsInDotT("algebra.tt"));
  EXPECT_FALSE(endsInDotT("t"));
}

TEST(SingleAlgebraFile, AHidden3000ElementAlgebraLoadsBackUnchanged) {
  std::mt19937 rng(52);
  Workspace ws = oracle::workspaceWithSignature("- * 0");
  const int32_t k = oracle::addRandomAlgebra(ws, 3000, 0.05, rng);
  ASSERT_EQ(appendAlgebraText(ws, singleAlgebraText(ws, k)), AppendStatus::kAppended);
  EXPECT_EQ(ws.algebra(1).table, ws.algebra(0).table);
}

}  // namespace
}  // namespace kest

namespace kest {
namespace {

// Above 100,000 elements the six-wide fields ran together, and a saved
// algebra could not be read back.
TEST(SingleAlgebraFile, NineMillionElementsRoundTrip) {
  Workspace ws = oracle::workspaceWithSignature("- 0");
  const int32_t n = 9000000;
  const int32_t k = createAlgebra(ws, n);
  std::vector<int32_t>& t = ws.algebra(k).table;
  for (int32_t x = 0; x < n; ++x) t[static_cast<size_t>(x)] = (x % 7 == 0) ? -1 : (n - 1 - x);
  t.back() = 8999999;
  const std::string text = singleAlgebraText(ws, k);
  EXPECT_NE(text.find("      -1 8999998 8999997"), std::string::npos);  // a blank between entries
  ASSERT_EQ(appendAlgebraText(ws, text), AppendStatus::kAppended);
  EXPECT_EQ(ws.algebra(1).card, n);
  EXPECT_TRUE(ws.algebra(1).table == ws.algebra(0).table);
}

TEST(SingleAlgebraFile, FieldWidthsKeepTheFormatUpTo100000Elements) {
  EXPECT_EQ(entryWidth(100), 3);
  EXPECT_EQ(entryWidth(1000), 4);
  EXPECT_EQ(entryWidth(10000), 5);
  EXPECT_EQ(entryWidth(100000), 6);
  EXPECT_EQ(entryWidth(100001), 7);
  EXPECT_EQ(entryWidth(1000000), 7);
  EXPECT_EQ(entryWidth(1000001), 8);
  EXPECT_EQ(entryWidth(16777216), 9);
}

}  // namespace
}  // namespace kest

namespace kest {
namespace {

// The empty rows of an algebra of no elements are blank lines, which the
// readers skip: the constants line was read in their place and a saved
// empty algebra could not be read back (found by the fuzz target).
TEST(SingleAlgebraFile, TheEmptyAlgebraRoundTrips) {
  Workspace ws = oracle::workspaceWithSignature(".c - 0");
  createAlgebra(ws, 0);
  ASSERT_EQ(appendAlgebraText(ws, singleAlgebraText(ws, 0)), AppendStatus::kAppended);
  EXPECT_EQ(ws.algebra(1).card, 0);
  EXPECT_EQ(ws.algebra(1).table, std::vector<int32_t>{-1});
}

}  // namespace
}  // namespace kest
