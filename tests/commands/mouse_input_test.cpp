#include "commands/mouse_input.h"

#include <gtest/gtest.h>

#include "core/algebra_store.h"
#include "tests/oracle/random_inputs.h"

namespace kest {
namespace {

using oracle::workspaceWithSignature;

TEST(Mouse, MarkingRedAndGreen) {
  Workspace ws = workspaceWithSignature(".");
  createAlgebra(ws, 2);
  createAlgebra(ws, 70);
  ws.pageScrollY = 0;
  mouseMove(ws, 20, 36);  // the hidden row
  EXPECT_EQ(leftButtonDown(ws, 20, 36).kind, Repaint::Kind::kWhole);
  EXPECT_EQ(ws.redMarked, 1);
  // The marking press does not scroll on release, even after a move.
  mouseMove(ws, 60, 60);
  EXPECT_EQ(leftButtonUp(ws, 60, 60).kind, Repaint::Kind::kNothing);
  EXPECT_EQ(ws.pageScrollX, 0);
  mouseMove(ws, 20, 400);  // the displayed algebra's column
  rightButtonDown(ws, 20, 400);
  EXPECT_EQ(ws.greenMarked, 0);
  EXPECT_EQ(ws.redMarked, 1);
}

TEST(Mouse, DragOnEmptySpaceScrolls) {
  Workspace ws = workspaceWithSignature(".");
  mouseMove(ws, 500, 500);
  leftButtonDown(ws, 500, 500);
  EXPECT_EQ(leftButtonUp(ws, 400, 520).kind, Repaint::Kind::kWhole);
  EXPECT_EQ(ws.pageScrollX, 100);
  EXPECT_EQ(ws.pageScrollY, 0);  // dragging down from the top stays at 0
  mouseMove(ws, 10, 10);
  EXPECT_EQ(ws.pointerX, 110);  // page coordinates
  leftButtonDown(ws, 100, 100);
  leftButtonUp(ws, 300, 100);
  EXPECT_EQ(ws.pageScrollX, 0);
}

TEST(Mouse, PagesBlockClicksAndMoves) {
  Workspace ws = workspaceWithSignature(".");
  createAlgebra(ws, 2);
  createAlgebra(ws, 2);
  ws.helpShown = 1;
  mouseMove(ws, 80, 400);
  EXPECT_EQ(ws.pointerX, 0);
  leftButtonDown(ws, 80, 400);
  rightButtonDown(ws, 80, 400);
  EXPECT_EQ(ws.redMarked, 0);
  ws.helpShown = 0;
  ws.latticeShown = 1;
  mouseMove(ws, 90, 400);
  rightButtonDown(ws, 90, 400);  // the lattice page does not block the right button
  EXPECT_EQ(ws.greenMarked, 1);
  ws.latticeShown = 0;
  ws.embeddingShown = 1;
  leftButtonDown(ws, 100, 100);
  leftButtonUp(ws, 90, 130);
  EXPECT_EQ(ws.embeddingOffsetX, 10);
  EXPECT_EQ(ws.embeddingOffsetY, -30);
}

TEST(Mouse, MoveLatticeVertexTakesTheNearestFirst) {
  Workspace ws = workspaceWithSignature("L");
  createAlgebra(ws, 3);
  ws.algebra(0).latticeX = {1500, 1000, 2000};
  ws.algebra(0).latticeY = {3000, 1500, 1500};
  ws.latticeShown = 1;
  leftButtonDown(ws, 250, 250);  // (1500, 1500) in drawing units: b and c are equally near
  leftButtonUp(ws, 180, 250);
  EXPECT_EQ(ws.algebra(0).latticeX, (std::vector<int32_t>{1500, 800, 2000}));
}

}  // namespace
}  // namespace kest
