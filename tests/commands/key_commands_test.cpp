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
  EXPECT_EQ(ws.algebras[2].card, 3);
  runSingleKeyCommand(ws, 'h', 2);
  EXPECT_EQ(ws.algebras[2].displayed, 0);
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

}  // namespace
}  // namespace kest
