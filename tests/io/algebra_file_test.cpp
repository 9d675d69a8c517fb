#include "io/algebra_file.h"

#include <gtest/gtest.h>

#include <random>

#include "core/algebra_store.h"
#include "tests/oracle/random_inputs.h"

namespace kest {
namespace {

using oracle::workspaceWithSignature;

TEST(SingleAlgebraFile, TheTwoElementExample) {
  Workspace ws = workspaceWithSignature(".");
  createAlgebra(ws, 2);
  ws.algebras[0].table = {0, 0, 1, -1};
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
  EXPECT_EQ(ws.algebras[1].table, ws.algebras[0].table);
  EXPECT_EQ(ws.algebras[1].displayed, 0);
}

TEST(SingleAlgebraFile, SignatureCheckAndCompletion) {
  Workspace ws = workspaceWithSignature("+ci -");
  // Other order and flags are accepted; the current flags complete the table.
  ASSERT_EQ(appendAlgebraText(ws, "2 0 0 1\r\n- +\r\n2\r\n 1 1\r\n 0 -1\r\n 1 0\r\n"), AppendStatus::kAppended);
  EXPECT_EQ(ws.algebras[0].table, (std::vector<int32_t>{0, 0, 0, 1, 1, 0}));
  // A symbol the signature lacks, or one too few, is refused.
  EXPECT_EQ(appendAlgebraText(ws, "2 0 0 1\r\n+ *\r\n1\r\n 0\r\n 0\r\n"), AppendStatus::kRejected);
  EXPECT_EQ(appendAlgebraText(ws, "1 0 0 1\r\n+\r\n1\r\n 0\r\n"), AppendStatus::kRejected);
  // A trailing blank makes a row one number too long; nothing is appended.
  EXPECT_EQ(appendAlgebraText(ws, "2 0 0 1\r\n+-\r\n1\r\n 0 \r\n 0\r\n"), AppendStatus::kRejected);
  EXPECT_EQ(appendAlgebraText(ws, "2 0 0 1\r\n+-\r\n2\r\n 0 1\r\n"), AppendStatus::kRejected);  // rows missing
  EXPECT_EQ(ws.algebraCount(), 1);
  // Entries outside the card are undefined.
  ASSERT_EQ(appendAlgebraText(ws, "2 0 0 1\r\n+-\r\n2\r\n 0 7\r\n 9 1\r\n 5 1\r\n"), AppendStatus::kAppended);
  EXPECT_EQ(ws.algebras[1].table, (std::vector<int32_t>{0, -1, -1, 1, -1, 1}));
}

TEST(BinaryAlgebraFile, LittleEndianWithoutFlags) {
  Workspace ws = workspaceWithSignature(".ci");
  createAlgebra(ws, 1);
  const std::string data = binaryAlgebraData(ws, 0);
  EXPECT_EQ(data, std::string("\x01\0\0\0\0\0\0\0\0\0\0\0\x01\0\0\0.\x01\0\0\0\0\0\0\0", 25));
}

}  // namespace
}  // namespace kest

#include "io/file_commands.h"

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
  EXPECT_EQ(ws.algebras[1].table, ws.algebras[0].table);
}

}  // namespace
}  // namespace kest
