#include "terms/formulas.h"

#include <gtest/gtest.h>

#include "core/algebra_store.h"
#include "tests/oracle/random_inputs.h"

namespace kest {
namespace {

using oracle::workspaceWithSignature;

TEST(Formulas, DeletionRenumbersTheListAndKeepsThePool) {
  Workspace ws = workspaceWithSignature(".");
  addEquation(ws, 23, 24);
  addEquation(ws, 24, 25);
  addConjunction(ws, {0, 1});
  ws.messages.setMessage("old");
  deleteFormula(ws, 0);
  EXPECT_EQ(ws.terms.formulaListCount(), 2);
  EXPECT_EQ(ws.terms.formulaList[1], 2);  // the conjunction keeps its pool id
  EXPECT_EQ(ws.terms.formulaA[2], 0);     // and still refers to the deleted equation
  EXPECT_EQ(ws.messages.count(), 0);
  deleteFormula(ws, 7);
  EXPECT_EQ(ws.terms.formulaListCount(), 2);
}

TEST(Formulas, ListsMoveTheAlgebrasDown) {
  Workspace ws = workspaceWithSignature(".");
  createAlgebra(ws, 1);
  addNamedTerm(ws, 0);
  addEquation(ws, 0, 1);
  EXPECT_EQ(ws.hiddenRowY, 16 * 2 + 35);
  EXPECT_EQ(ws.algebra(0).y, 16 * 2 + 35);
  deleteNamedTerm(ws, 0);
  EXPECT_EQ(ws.algebra(0).y, 16 + 35);
}

}  // namespace
}  // namespace kest
