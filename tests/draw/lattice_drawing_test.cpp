// The lattice and embedding pages, recorded: labels, covering lines, red
// map lines and circles where the layouts put them.
#include "draw/lattice_drawing.h"

#include <gtest/gtest.h>

#include "commands/key_dispatch.h"
#include "commands/mouse_input.h"
#include "commands/toolbar_commands.h"
#include "draw/page_drawing.h"
#include "tests/draw/recording_canvas.h"
#include "tests/oracle/random_inputs.h"
#include "tests/oracle/reference_lattice.h"

namespace kest {
namespace {

using namespace oracle;  // the lattices and plain algorithms of the tests
using testing::RecordingCanvas;

RecordingCanvas paint(Workspace& ws) {
  RecordingCanvas canvas;
  drawPage(ws, canvas);
  return canvas;
}

TEST(LatticePage, PentagonHasseDiagram) {
  Workspace ws = workspaceWithSignature("L");
  ws.redMarked = addLatticeOfJoin(ws, kPentagon);
  runToolbarCommand(ws, kCommandDrawLattice, noProgress());
  const RecordingCanvas c = paint(ws);
  EXPECT_EQ(c.texts.size(), 5u);
  EXPECT_EQ(c.lines.size(), 5u);
  EXPECT_EQ(c.ellipses, 5);
  EXPECT_EQ(c.textsAt(250, 400), (std::vector<std::string>{"a"}));  // the bottom at (1500, 3000)
  EXPECT_EQ(c.textsAt(250, 100), (std::vector<std::string>{"e"}));
  EXPECT_TRUE(c.hasLine(250, 400, 210, 250, kBlack));   // a up to b
  EXPECT_FALSE(c.hasLine(250, 400, 270, 200, kBlack));  // a to d is no cover
}

TEST(LatticePage, ChainPointAndNothingToDraw) {
  Workspace ws = workspaceWithSignature("L");
  ws.redMarked = addLatticeOfJoin(ws, {"abc", "bbc", "ccc"});
  ws.latticeShown = 1;
  RecordingCanvas c = paint(ws);
  EXPECT_EQ(c.textsAt(250, 400).size(), 1u);
  EXPECT_EQ(c.textsAt(250, 250).size(), 1u);
  EXPECT_EQ(c.textsAt(250, 100).size(), 1u);
  EXPECT_EQ(c.lines.size(), 2u);

  ws.redMarked = addLatticeOfJoin(ws, {"a"});
  c = paint(ws);
  EXPECT_EQ(c.textsAt(250, 250), (std::vector<std::string>{"a"}));
  EXPECT_TRUE(c.lines.empty());
  EXPECT_EQ(c.ellipses, 1);

  ws.algebra(ws.redMarked).table = {-1, -1};  // no semilattice: an empty page
  ws.algebra(ws.redMarked).discardLatticeCoordinates();
  c = paint(ws);
  EXPECT_TRUE(c.texts.empty());
  ws.redMarked = -1;
  EXPECT_TRUE(paint(ws).texts.empty());
}

TEST(LatticePage, DragMovesTheNearestVertexSideways) {
  Workspace ws = workspaceWithSignature("L");
  ws.redMarked = addLatticeOfJoin(ws, kPentagon);
  ws.latticeShown = 1;
  paint(ws);
  leftButtonDown(ws, 212, 252);  // near b at (210, 250)
  leftButtonUp(ws, 150, 300);
  EXPECT_EQ(ws.algebra(0).latticeX[1], 500);
  EXPECT_EQ(ws.algebra(0).latticeY[1], 1500);
}

TEST(EmbeddingPage, MapLinesRedLinesAndTheDrag) {
  Workspace ws = workspaceWithSignature("L");
  ws.redMarked = addLatticeOfJoin(ws, {"ab", "bb"});
  ws.greenMarked = addLatticeOfJoin(ws, kSquare);
  runToolbarCommand(ws, kCommandDrawEmbedding, noProgress());
  RecordingCanvas c = paint(ws);
  EXPECT_EQ(c.textsAt(10, 10), (std::vector<std::string>{"a -> a"}));
  EXPECT_EQ(c.textsAt(10, 25), (std::vector<std::string>{"b -> b"}));
  int32_t red = 0;
  for (const testing::DrawnLine& l : c.lines) red += l.color == kRed;
  EXPECT_EQ(red, 2);
  EXPECT_EQ(c.ellipses, 6);
  // The bottom of B sits at (750, 420); dragging by (-100, -50) moves it.
  EXPECT_EQ(c.textsAt(750, 420).size(), 1u);
  leftButtonDown(ws, 400, 300);
  leftButtonUp(ws, 300, 250);
  c = paint(ws);
  EXPECT_EQ(c.textsAt(650, 370).size(), 1u);              // B follows the pointer
  EXPECT_EQ(c.textsAt(100 + 150, 100 + 300).size(), 1u);  // A stays
  // Any key puts B back, at the next repaint.
  EXPECT_EQ(dispatchKey(ws, 'x', noProgress()).kind, Repaint::Kind::kNothing);
  EXPECT_EQ(paint(ws).textsAt(750, 420).size(), 1u);
}

TEST(EmbeddingPage, NotEmbeddableAndSelfDual) {
  Workspace ws = workspaceWithSignature("L");
  ws.redMarked = addLatticeOfJoin(ws, kPentagon);
  ws.greenMarked = addLatticeOfJoin(ws, kSquare);
  ws.embeddingShown = 1;
  RecordingCanvas c = paint(ws);
  ASSERT_EQ(c.texts.size(), 1u);
  EXPECT_EQ(c.textsAt(10, 10), (std::vector<std::string>{"Not embeddable"}));
  ws.greenMarked = ws.redMarked = addLatticeOfJoin(ws, {"abc", "bbc", "ccc"});
  c = paint(ws);
  EXPECT_EQ(c.textsAt(10, 10), (std::vector<std::string>{"a -> c"}));
  EXPECT_EQ(c.textsAt(10, 25), (std::vector<std::string>{"b -> b"}));
  EXPECT_EQ(c.textsAt(10, 40), (std::vector<std::string>{"c -> a"}));
}

// The search of the last repaint is reused only while both tables stay.
TEST(EmbeddingPage, ANewTableIsSearchedAgain) {
  Workspace ws = workspaceWithSignature("L");
  ws.redMarked = addLatticeOfJoin(ws, {"ab", "bb"});
  ws.greenMarked = addLatticeOfJoin(ws, {"abc", "bbc", "ccc"});
  ws.embeddingShown = 1;
  EXPECT_EQ(paint(ws).textsAt(10, 10), (std::vector<std::string>{"a -> a"}));
  EXPECT_EQ(paint(ws).textsAt(10, 10), (std::vector<std::string>{"a -> a"}));
  // The same card, the order turned round: c < b < a.
  const int32_t reversed = addLatticeOfJoin(ws, {"aaa", "aba", "abc"});
  ws.algebra(ws.greenMarked).table = ws.algebra(reversed).table;
  EXPECT_EQ(paint(ws).textsAt(10, 10), (std::vector<std::string>{"a -> b"}));
  EXPECT_EQ(paint(ws).textsAt(10, 25), (std::vector<std::string>{"b -> a"}));
}

}  // namespace
}  // namespace kest
