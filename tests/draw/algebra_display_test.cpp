#include "draw/algebra_display.h"

#include <gtest/gtest.h>

#include "commands/algebra_geometry.h"
#include "core/algebra_store.h"
#include "tests/draw/recording_canvas.h"
#include "tests/oracle/random_inputs.h"

namespace kest {
namespace {

using oracle::workspaceWithSignature;
using testing::RecordingCanvas;

TEST(AlgebraDisplay, LabelsMarksAndTheCompleteSign) {
  Workspace ws = workspaceWithSignature(". - 0");
  createAlgebra(ws, 1);
  createAlgebra(ws, 2);
  ws.algebra(0).table = {0, 0, 0};
  ws.redMarked = 1;
  ws.greenMarked = 1;
  RecordingCanvas c;
  drawAlgebra(ws, 0, c);
  const Algebra& a0 = ws.algebra(0);
  EXPECT_EQ(c.textsAt(a0.x + 5, a0.y + 1), std::vector<std::string>{"A0"});
  EXPECT_TRUE(c.hasLine(a0.x - 2, a0.y, a0.x - 2, a0.y + 18, kBlack));
  RecordingCanvas c1;
  drawAlgebra(ws, 1, c1);
  const Algebra& a1 = ws.algebra(1);
  EXPECT_EQ(c1.textsAt(a1.x + 5, a1.y + 1), std::vector<std::string>{"A1 #=2"});
  EXPECT_FALSE(c1.hasLine(a1.x - 2, a1.y, a1.x - 2, a1.y + 18, kBlack));  // partial
  EXPECT_TRUE(c1.hasLine(a1.x, a1.y, a1.x, a1.y + 18, kRed));
  EXPECT_TRUE(c1.hasLine(a1.x - 1, a1.y, a1.x - 1, a1.y + 18, kRed));
  const int32_t w = 16 * 2 + 22;
  EXPECT_TRUE(c1.hasLine(a1.x + w, a1.y, a1.x + w, a1.y + 18, kGreen));
  EXPECT_TRUE(c1.hasLine(a1.x + w + 1, a1.y, a1.x + w + 1, a1.y + 18, kGreen));
}

TEST(AlgebraDisplay, TablesShowNamesAndDotsForUndefined) {
  Workspace ws = workspaceWithSignature(". - 0");
  createAlgebra(ws, 2);
  ws.algebra(0).table = {1, -1, 0, 1, 1, -1, -1};
  RecordingCanvas c;
  drawAlgebra(ws, 0, c);
  const int32_t x = ws.algebra(0).x;
  const int32_t y = ws.algebra(0).y;
  EXPECT_EQ(c.textsAt(x + 4, y + 21), std::vector<std::string>{"."});   // the symbol
  EXPECT_EQ(c.textsAt(x + 26, y + 38), std::vector<std::string>{"b"});  // a.a
  EXPECT_EQ(c.textsAt(x + 42, y + 38), std::vector<std::string>{"."});  // a.b undefined
  const int32_t yu = y + 20 + 52;
  EXPECT_EQ(c.textsAt(x + 4, yu + 1), std::vector<std::string>{"-"});
  EXPECT_EQ(c.textsAt(x + 26, yu + 18), std::vector<std::string>{"b"});
  EXPECT_EQ(c.textsAt(x + 42, yu + 18), std::vector<std::string>{"."});
  EXPECT_EQ(c.textsAt(x, yu + 36), std::vector<std::string>{"0 = ."});
  EXPECT_EQ(ws.algebra(0).boxHeight, 20 + 52 + 36 + 16);
}

TEST(AlgebraDisplay, HiddenAlgebraIsALabelledBox) {
  Workspace ws = workspaceWithSignature(".");
  createAlgebra(ws, 63);
  RecordingCanvas c;
  drawAlgebra(ws, 0, c);
  EXPECT_EQ(c.texts.size(), 1u);
  EXPECT_EQ(c.texts[0].text, "A0 #=63");
  EXPECT_TRUE(c.hasLine(18 + 70, 35, 18 + 70, 35 + 18, kBlack));
}

TEST(HitTests, AlgebraAtPointInBothRows) {
  Workspace ws = workspaceWithSignature(".");
  createAlgebra(ws, 2);   // displayed at x 18, width 54
  createAlgebra(ws, 70);  // hidden at x 18 in the hidden row
  createAlgebra(ws, 3);   // displayed at x 82
  EXPECT_EQ(ws.hiddenRowY, 35);
  EXPECT_EQ(ws.displayedRowY, 60);
  EXPECT_EQ(algebraAtPoint(ws, 20, 40), 1);
  EXPECT_EQ(algebraAtPoint(ws, 20, 56), -1);  // between the rows
  EXPECT_EQ(algebraAtPoint(ws, 20, 60), 0);
  EXPECT_EQ(algebraAtPoint(ws, 20, 5000), 0);  // the whole column counts
  EXPECT_EQ(algebraAtPoint(ws, 72, 61), 0);
  EXPECT_EQ(algebraAtPoint(ws, 80, 61), -1);
  EXPECT_EQ(algebraAtPoint(ws, 82, 61), 2);
}

TEST(HitTests, EditCellAtPointRepaintsTheCellOrEverything) {
  Workspace ws = workspaceWithSignature("+c - 0");
  createAlgebra(ws, 2);
  const int32_t x = ws.algebra(0).x;
  const int32_t y = ws.algebra(0).y;
  ws.pageScrollX = 5;
  // Cell (b, a) of +: the mirror changes too, so everything is repainted.
  Repaint r = editCellAtPoint(ws, 0, x + 26 + 3, y + 37 + 16 + 3, 'a');
  EXPECT_EQ(r.kind, Repaint::Kind::kWhole);
  EXPECT_EQ(ws.algebra(0).table[1], 0);
  // Diagonal of a commutative op: only that cell, in window coordinates.
  r = editCellAtPoint(ws, 0, x + 26 + 3, y + 37 + 3, 'b');
  ASSERT_EQ(r.kind, Repaint::Kind::kRect);
  EXPECT_EQ(r.rect.left, x + 26 - 5);
  EXPECT_EQ(r.rect.top, y + 37);
  EXPECT_EQ(r.rect.right, x + 42 - 5);
  // The header row of a unary table holds no cell.
  const int32_t yu = y + 20 + 52;
  EXPECT_EQ(editCellAtPoint(ws, 0, x + 30, yu + 5, 'a').kind, Repaint::Kind::kNothing);
  EXPECT_EQ(editCellAtPoint(ws, 0, x + 30 + 16, yu + 20, 'a').kind, Repaint::Kind::kRect);
  EXPECT_EQ(ws.algebra(0).table[5], 0);
  // The constant line.
  EXPECT_EQ(editCellAtPoint(ws, 0, x + 30, yu + 36 + 3, 'b').kind, Repaint::Kind::kRect);
  EXPECT_EQ(ws.algebra(0).table[6], 1);
  // Left of the first column nothing happens.
  EXPECT_EQ(editCellAtPoint(ws, 0, x + 10, y + 40, 'a').kind, Repaint::Kind::kNothing);
}

}  // namespace
}  // namespace kest
