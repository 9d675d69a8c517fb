#include "core/algebra_store.h"

#include <gtest/gtest.h>

#include "core/element_names.h"
#include "tests/oracle/random_inputs.h"

namespace kest {
namespace {

using oracle::workspaceWithSignature;

TEST(ElementNames, ThreeRangesAndTheDigitRule) {
  EXPECT_EQ(nameOfElement(0, 62), 'a');
  EXPECT_EQ(nameOfElement(26, 62), 'A');
  EXPECT_EQ(nameOfElement(52, 62), '0');
  EXPECT_EQ(nameOfElement(52, 52), '.');
  EXPECT_EQ(nameOfElement(-1, 62), '.');
  EXPECT_EQ(elementOfName('0', 62), 52);
  EXPECT_EQ(elementOfName('0', 52), -1);
  EXPECT_EQ(elementOfName('Z', 52), 51);
  EXPECT_EQ(elementOfName('.', 62), -1);
  for (int32_t e = 0; e < 62; ++e) EXPECT_EQ(elementOfName(nameOfElement(e, 62), 62), e);
  std::string text;
  appendElementText(text, 62, 62);
  appendElementText(text, 5, 62);
  EXPECT_EQ(text, "[62]f");
}

TEST(AlgebraStore, CreateSizesAndIdempotentDiagonal) {
  Workspace ws = workspaceWithSignature(".");
  ASSERT_EQ(createAlgebra(ws, 3), 0);
  const Algebra& a = ws.algebra(0);
  EXPECT_EQ(a.table, std::vector<int32_t>(9, -1));
  EXPECT_EQ(a.boxWidth, 70);
  EXPECT_EQ(a.boxHeight, 88);
  EXPECT_EQ(ws.redMarked, 0);
  EXPECT_EQ(ws.greenMarked, 0);

  Workspace lat = workspaceWithSignature("+ci .ci");
  createAlgebra(lat, 2);
  EXPECT_EQ(lat.algebra(0).table, (std::vector<int32_t>{0, -1, -1, 1, 0, -1, -1, 1}));
  EXPECT_EQ(isComplete(lat, 0), 0);
  EXPECT_EQ(isComplete(lat, 7), 0);
}

TEST(AlgebraStore, LargeAlgebraIsHiddenAndMovesTheDisplayedRow) {
  Workspace ws = workspaceWithSignature(".");
  createAlgebra(ws, 2);
  EXPECT_EQ(ws.algebra(0).y, 35);
  createAlgebra(ws, 63);
  EXPECT_EQ(ws.algebra(1).displayed, 0);
  EXPECT_EQ(ws.algebra(1).boxWidth, 70);
  EXPECT_EQ(ws.algebra(1).boxHeight, 18);
  EXPECT_EQ(ws.displayedCount, 1);
  EXPECT_EQ(ws.algebra(0).y, 60);
  EXPECT_EQ(ws.algebra(1).y, 35);
  EXPECT_EQ(ws.messageX, 18 + 16 * 2 + 22 + 10);
  toggleDisplayed(ws, 1);  // too large to show
  EXPECT_EQ(ws.algebra(1).displayed, 0);
  toggleDisplayed(ws, 0);
  EXPECT_EQ(ws.displayedCount, 0);
  EXPECT_EQ(ws.algebra(1).x, 90);
  EXPECT_EQ(ws.messageX, 18);
}

TEST(AlgebraStore, DeleteKeepsMarksOnTheirAlgebras) {
  Workspace ws = workspaceWithSignature(".");
  for (int i = 0; i < 4; ++i) createAlgebra(ws, 1);
  ws.redMarked = 3;
  ws.greenMarked = 1;
  deleteAlgebra(ws, 0);
  EXPECT_EQ(ws.redMarked, 2);
  EXPECT_EQ(ws.greenMarked, 0);
  deleteAlgebra(ws, 2);  // the red-marked last algebra
  EXPECT_EQ(ws.redMarked, 0);
  deleteAlgebra(ws, 0);
  deleteAlgebra(ws, 0);
  EXPECT_EQ(ws.redMarked, -1);
  EXPECT_EQ(ws.greenMarked, -1);
  EXPECT_EQ(ws.displayedCount, 0);
}

TEST(AlgebraStore, ExtendCopiesTheOldTablesAndLeavesTheNewElementUndefined) {
  Workspace ws = workspaceWithSignature(". - 1i");
  createAlgebra(ws, 2);
  ws.algebra(0).table = {0, 1, 1, 0, 1, 0, 0};
  ASSERT_EQ(extendAlgebra(ws, 0), 1);
  EXPECT_EQ(ws.algebra(1).table, (std::vector<int32_t>{0, 1, -1, 1, 0, -1, -1, -1, -1, 1, 0, -1, 0}));
  // An idempotent op gets n op n = n in the extension.
  Workspace idem = workspaceWithSignature(".i");
  createAlgebra(idem, 1);
  extendAlgebra(idem, 0);
  EXPECT_EQ(idem.algebra(1).table, (std::vector<int32_t>{0, -1, -1, 1}));
}

TEST(AlgebraStore, CopyTakesTheDisplayedFlag) {
  Workspace ws = workspaceWithSignature(".");
  createAlgebra(ws, 2);
  ws.algebra(0).table = {0, 1, 1, 0};
  toggleDisplayed(ws, 0);
  copyAlgebra(ws, 0);
  EXPECT_EQ(ws.algebra(1).displayed, 0);
  EXPECT_EQ(ws.algebra(1).boxWidth, 70);
  EXPECT_EQ(ws.displayedCount, 0);
  EXPECT_EQ(ws.algebra(1).table, ws.algebra(0).table);
  EXPECT_EQ(isComplete(ws, 1), 1);
}

TEST(AlgebraStore, StoreIsFullAtAThousand) {
  Workspace ws = workspaceWithSignature(".");
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(createAlgebra(ws, 1), i);
  ws.messages.setMessage("kept");
  EXPECT_EQ(createAlgebra(ws, 1), -1);
  EXPECT_EQ(copyAlgebra(ws, 0), -1);
  EXPECT_EQ(extendAlgebra(ws, 0), -1);
  EXPECT_EQ(ws.algebraCount(), 1000);
  EXPECT_EQ(ws.messages.count(), 1);
}

TEST(AlgebraStore, CompletenessOfTheLatticeTables) {
  Workspace ws = workspaceWithSignature("L0");
  createAlgebra(ws, 1);
  EXPECT_EQ(isLatticeComplete(ws, 0), 1);
  EXPECT_EQ(isComplete(ws, 0), 0);  // the constant is undefined
  Workspace none = workspaceWithSignature("-");
  EXPECT_EQ(isJoinComplete(none, 0), 0);
  Workspace meetOnly = workspaceWithSignature(". /");
  createAlgebra(meetOnly, 1);
  EXPECT_EQ(isMeetComplete(meetOnly, 0), 0);
  meetOnly.algebra(0).table[0] = 0;
  EXPECT_EQ(isMeetComplete(meetOnly, 0), 1);
  EXPECT_EQ(isJoinComplete(meetOnly, 0), 0);
}

TEST(AlgebraStore, NoOperationMeansComplete) {
  Workspace ws = workspaceWithSignature("-");
  createAlgebra(ws, 0);
  EXPECT_EQ(isComplete(ws, 0), 1);
}

}  // namespace
}  // namespace kest
