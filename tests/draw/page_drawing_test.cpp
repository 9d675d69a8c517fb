#include "draw/page_drawing.h"

#include <gtest/gtest.h>

#include "commands/panel_commands.h"
#include "commands/toolbar_commands.h"
#include "core/algebra_store.h"
#include "draw/help_text.h"
#include "terms/formulas.h"
#include "tests/draw/recording_canvas.h"
#include "tests/oracle/random_inputs.h"

namespace kest {
namespace {

using oracle::workspaceWithSignature;
using testing::RecordingCanvas;

TEST(HelpPage, NinetyFiveLinesWithTheHeadingGaps) {
  ASSERT_EQ(helpLines().size(), 95u);
  const std::vector<int32_t> ys = helpLineYs();
  EXPECT_EQ(ys.front(), 10);
  EXPECT_EQ(ys.back(), 1445);
  EXPECT_EQ(helpLines()[3], "  + . / \\ :                 for binary operation symbols");
  Workspace ws;
  ws.helpShown = 1;
  ws.helpScrollY = 300;
  ws.helpScrollX = 100;
  RecordingCanvas c;
  drawPage(ws, c);
  ASSERT_EQ(c.texts.size(), 95u);
  EXPECT_EQ(c.texts[0].x, -90);
  EXPECT_EQ(c.texts[0].y, -290);
  EXPECT_EQ(
      c.texts.back().text,
      "computer with big memory. The program may easily crash. (But then - you may try again from the beginning.)");
}

TEST(InfoPage, SymbolsAndAlgebras) {
  Workspace ws = workspaceWithSignature("+ci .c -");
  createAlgebra(ws, 1);
  ws.algebra(0).table = {0, 0, 0};
  createAlgebra(ws, 70);
  ws.infoShown = 1;
  RecordingCanvas c;
  drawPage(ws, c);
  EXPECT_EQ(c.textsAt(10, 10), std::vector<std::string>{"The signature consists of:"});
  EXPECT_EQ(c.textsAt(40, 30), std::vector<std::string>{"+   arity 2 commutative and idempotent"});
  EXPECT_EQ(c.textsAt(40, 46), std::vector<std::string>{".   arity 2 commutative"});
  EXPECT_EQ(c.textsAt(40, 62), std::vector<std::string>{"-   arity 1"});
  EXPECT_EQ(c.textsAt(35, 16 * 3 + 50), std::vector<std::string>{"complete"});
  EXPECT_EQ(c.textsAt(98, 16 * 3 + 66), std::vector<std::string>{"hidden"});
}

TEST(NormalPage, ListsMessagesAndThePanelOnTop) {
  Workspace ws = workspaceWithSignature(". +");
  addNamedTerm(ws, 23);
  addEquation(ws, 23, 24);
  createAlgebra(ws, 2);
  ws.messages.setReport({"one", "two"});
  ws.pageScrollY = 400;
  openPanel(ws, findToolbarButton(kCommandNewAlgebra)->panel);
  setFieldText(ws.panel, 0, "12");
  RecordingCanvas c;
  drawPage(ws, c);
  EXPECT_EQ(c.textsAt(10, 10), std::vector<std::string>{"A   x"});
  EXPECT_EQ(c.textsAt(10, 26), std::vector<std::string>{"E0  x=y"});
  EXPECT_EQ(c.textsAt(ws.messageX, ws.messageY + 16), std::vector<std::string>{"two"});
  // The panel is drawn last, at the window origin, with the caret after "12".
  EXPECT_EQ(c.originY, 0);
  EXPECT_EQ(c.textsAt(210, 112), std::vector<std::string>{"Define new algebra"});
  const Rect& f = ws.panel.fields[0].rect;
  EXPECT_EQ(c.textsAt(200 + f.left + 8, 100 + f.top + 2), std::vector<std::string>{"12"});
  EXPECT_TRUE(c.hasLine(200 + f.left + 8 + 14, 100 + f.top + 2, 200 + f.left + 8 + 14, 100 + f.top + 16, kRed));
  EXPECT_EQ(ws.panel.caret, 2);
}

}  // namespace
}  // namespace kest
