#include "commands/key_commands.h"

#include <gtest/gtest.h>

#include "core/algebra_store.h"
#include "terms/formulas.h"
#include "tests/oracle/random_inputs.h"

namespace kest {
namespace {

using oracle::workspaceWithSignature;

TEST(KeyCommands, CopyExtendHideDelete) {
  Workspace ws = workspaceWithSignature(".");
  createAlgebra(ws, 2);
  EXPECT_EQ(runSingleKeyCommand(ws, 'C', 0).kind, Repaint::Kind::kWhole);
  EXPECT_EQ(runSingleKeyCommand(ws, 'y', 1).kind, Repaint::Kind::kWhole);
  ASSERT_EQ(ws.algebraCount(), 3);
  EXPECT_EQ(ws.algebra(2).card, 3);
  runSingleKeyCommand(ws, 'h', 2);
  EXPECT_EQ(ws.algebra(2).displayed, 0);
  runSingleKeyCommand(ws, 'd', 0);
  EXPECT_EQ(ws.algebraCount(), 2);
  EXPECT_EQ(runSingleKeyCommand(ws, 'q', 0).kind, Repaint::Kind::kNothing);
  EXPECT_EQ(runSingleKeyCommand(ws, 'C', 9).kind, Repaint::Kind::kNothing);
  EXPECT_FALSE(isSingleKeyCommand('q'));
  for (char key : std::string_view("abBcCdefghiklNrsuxyz")) {
    EXPECT_TRUE(isSingleKeyCommand(key));
    EXPECT_TRUE(hasSingleKeyCommand(key)) << key;
  }
}

TEST(KeyCommands, DeleteOverTheListsUsesOnlyTheHeight) {
  Workspace ws = workspaceWithSignature(".");
  addNamedTerm(ws, 0);
  addEquation(ws, 0, 1);
  addEquation(ws, 1, 2);
  EXPECT_FALSE(deleteListedRowAt(ws, 9));
  EXPECT_TRUE(deleteListedRowAt(ws, 10 + 16 + 3));  // formula 0
  EXPECT_EQ(ws.terms.formulaListCount(), 1);
  EXPECT_EQ(ws.terms.formulaList[0], 1);
  EXPECT_FALSE(deleteListedRowAt(ws, 10 + 16 * 2));
  EXPECT_TRUE(deleteListedRowAt(ws, 10));
  EXPECT_EQ(ws.terms.namedTermCount(), 0);
}

// Key e: the report of an embedding of the red-marked algebra into the
// green-marked one, or why there is none.
TEST(KeyCommands, EmbeddingReportLines) {
  Workspace ws = workspaceWithSignature(". -");
  const int32_t one = createAlgebra(ws, 1);
  ws.algebra(one).table = {0, 0};
  const int32_t b = createAlgebra(ws, 3);
  ws.algebra(b).table = {1, 0, 0, 0, 1, 0, 0, 0, 2, 1, 0, 2};  // b.b = b but -b = a; c is idempotent
  ws.redMarked = one;
  ws.greenMarked = b;
  runSingleKeyCommand(ws, 'e', one);
  EXPECT_EQ(ws.messages.lines(), (std::vector<std::string>{"Embedding of A0 into A1:", "a -> c"}));
  ws.redMarked = b;
  ws.greenMarked = one;
  runSingleKeyCommand(ws, 'e', one);
  EXPECT_EQ(ws.messages.lines(), std::vector<std::string>{"A1 is not embeddable into A0"});
}

}  // namespace
}  // namespace kest
