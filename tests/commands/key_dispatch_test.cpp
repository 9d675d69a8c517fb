#include "commands/key_dispatch.h"

#include <gtest/gtest.h>

#include "core/algebra_store.h"
#include "terms/formulas.h"
#include "tests/oracle/random_inputs.h"

namespace kest {
namespace {

using oracle::workspaceWithSignature;

TEST(KeyDispatch, ScrollKeysOfTheNormalAndHelpPages) {
  Workspace ws = workspaceWithSignature(".");
  dispatchKey(ws, kKeyDown);
  dispatchKey(ws, kKeyRight);
  EXPECT_EQ(ws.pageScrollY, 400);
  EXPECT_EQ(ws.pageScrollX, 700);
  ws.pageScrollY = 100;
  dispatchKey(ws, kKeyUp);
  EXPECT_EQ(ws.pageScrollY, 0);
  EXPECT_EQ(dispatchKey(ws, kKeyEnd).kind, Repaint::Kind::kNothing);
  dispatchKey(ws, kKeyHome);
  EXPECT_EQ(ws.pageScrollX, 0);
  ws.helpShown = 1;
  dispatchKey(ws, kKeyRight);
  EXPECT_EQ(ws.helpScrollX, 100);
  EXPECT_EQ(dispatchKey(ws, 'x').kind, Repaint::Kind::kNothing);
  dispatchKey(ws, kKeyPageUp);
  EXPECT_EQ(ws.helpScrollX, 0);
  EXPECT_EQ(ws.pageScrollX, 0);
  ws.helpShown = 0;
  ws.embeddingShown = 1;
  ws.embeddingOffsetX = 5;
  EXPECT_EQ(dispatchKey(ws, 'x').kind, Repaint::Kind::kNothing);
  EXPECT_EQ(ws.embeddingOffsetX, 0);
}

TEST(KeyDispatch, DeleteOverTheListsComesBeforeTheAlgebras) {
  Workspace ws = workspaceWithSignature(".");
  createAlgebra(ws, 2);
  addEquation(ws, 23, 24);
  ws.pointerX = 20;
  ws.pointerY = 10 + 3;  // formula 0, though an algebra column lies below
  dispatchKey(ws, 'd');
  EXPECT_EQ(ws.terms.formulaListCount(), 0);
  EXPECT_EQ(ws.algebraCount(), 1);
  ws.pointerY = ws.algebra(0).y + 2;  // no lists now: the algebra's top field
  dispatchKey(ws, 'd');
  EXPECT_EQ(ws.algebraCount(), 0);
}

TEST(KeyDispatch, KeysOverCellsWriteElements) {
  Workspace ws = workspaceWithSignature(".");
  createAlgebra(ws, 2);
  const Algebra& a = ws.algebra(0);
  ws.pointerX = a.x + 26 + 16 + 2;  // column b
  ws.pointerY = a.y + 37 + 2;       // row a
  dispatchKey(ws, 'a');             // a cell, not the abelianness key
  EXPECT_EQ(ws.algebra(0).table[1], 0);
  ws.pointerX = 5000;
  EXPECT_EQ(dispatchKey(ws, 'C').kind, Repaint::Kind::kNothing);
  EXPECT_EQ(ws.algebraCount(), 1);
}

TEST(KeyDispatch, TheLatticePageTakesTheKeysOnlyWithARedAlgebra) {
  Workspace ws = workspaceWithSignature("L");
  createAlgebra(ws, 1);
  ws.latticeShown = 1;
  ws.pointerX = ws.algebra(0).x + 2;
  ws.pointerY = ws.algebra(0).y + 2;
  dispatchKey(ws, 'C');
  EXPECT_EQ(ws.algebraCount(), 1);
  ws.redMarked = -1;
  dispatchKey(ws, 'C');  // falls through to the algebra under the pointer
  EXPECT_EQ(ws.algebraCount(), 2);
}

TEST(KeyDispatch, TheWheelScrollsInSmallSteps) {
  Workspace ws = workspaceWithSignature(".");
  scrollByWheel(ws, 2);
  EXPECT_EQ(ws.pageScrollY, 160);
  scrollByWheel(ws, -5);
  EXPECT_EQ(ws.pageScrollY, 0);
}

}  // namespace
}  // namespace kest
