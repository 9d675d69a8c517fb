#include "commands/panel_input.h"

#include <gtest/gtest.h>

#include "commands/key_dispatch.h"
#include "commands/panel_commands.h"
#include "commands/toolbar_commands.h"
#include "tests/oracle/random_inputs.h"

namespace kest {
namespace {

using oracle::workspaceWithSignature;

Workspace withPanel() {
  Workspace ws = workspaceWithSignature(".");
  openPanel(ws, findToolbarButton(kCommandTermOrEquation)->panel);
  return ws;
}

void typeText(Workspace& ws, const std::string& text) {
  for (char c : text) panelKey(ws, static_cast<unsigned char>(c));
}

TEST(PanelKeys, EditingTheField) {
  Workspace ws = withPanel();
  typeText(ws, "xy=yx");
  EXPECT_EQ(ws.panel.fields[0].text, "xy=yx");
  EXPECT_EQ(panelKey(ws, kKeyHome).kind, Repaint::Kind::kRect);
  EXPECT_EQ(panelKey(ws, kKeyLeft).kind, Repaint::Kind::kNothing);  // at 0
  EXPECT_EQ(panelKey(ws, 8).kind, Repaint::Kind::kRect);            // Backspace at 0 repaints
  panelKey(ws, kKeyDelete);
  EXPECT_EQ(ws.panel.fields[0].text, "y=yx");
  panelKey(ws, kKeyEnd);
  EXPECT_EQ(panelKey(ws, kKeyRight).kind, Repaint::Kind::kNothing);
  panelKey(ws, 8);
  EXPECT_EQ(ws.panel.fields[0].text, "y=y");
  panelKey(ws, kKeyLeft);
  panelKey(ws, 'z');
  EXPECT_EQ(ws.panel.fields[0].text, "y=zy");
  EXPECT_EQ(panelKey(ws, 27).kind, Repaint::Kind::kNothing);  // Escape does nothing
  EXPECT_EQ(panelKey(ws, 5).kind, Repaint::Kind::kNothing);   // nor other control characters
  panelKey(ws, 9);                                            // Tab empties the field
  EXPECT_EQ(ws.panel.fields[0].text, "");
  EXPECT_EQ(ws.panel.caret, 0);
}

TEST(PanelKeys, NinetyNineCharactersAtMost) {
  Workspace ws = withPanel();
  typeText(ws, std::string(120, 'x'));
  EXPECT_EQ(ws.panel.fields[0].text.size(), 99u);
}

TEST(PanelKeys, EnterClosesAndRunsTheMode) {
  Workspace ws = withPanel();
  typeText(ws, "xy=yx");
  EXPECT_EQ(panelKey(ws, 13).kind, Repaint::Kind::kWhole);
  EXPECT_FALSE(ws.panel.open);
  EXPECT_EQ(ws.terms.formulaListCount(), 1);
  // Keys no longer reach the closed panel.
  dispatchKey(ws, 'q');
  EXPECT_EQ(ws.panel.fields[0].text, "xy=yx");
}

TEST(PanelKeys, UpAndDownMoveBetweenTheThreeFields) {
  Workspace ws = workspaceWithSignature(".");
  openThreeFieldPanel(ws.panel, "c", "Input n", 30, "Stop", 100, "Tables", 100);
  setFieldText(ws.panel, 1, "1000");
  EXPECT_EQ(panelKey(ws, kKeyUp).kind, Repaint::Kind::kNothing);
  EXPECT_EQ(panelKey(ws, kKeyDown).kind, Repaint::Kind::kRect);
  EXPECT_EQ(ws.panel.currentField, 1);
  EXPECT_EQ(ws.panel.caret, 4);
  panelKey(ws, kKeyDown);
  EXPECT_EQ(panelKey(ws, kKeyDown).kind, Repaint::Kind::kNothing);
}

TEST(PanelMouse, CaretByClickAndMovingThePanel) {
  Workspace ws = withPanel();
  typeText(ws, "abc");
  const Rect f = ws.panel.fields[0].rect;
  panelPress(ws, 200 + f.left + 8 + 7 + 3, 100 + f.top + 5);
  EXPECT_EQ(ws.panel.caret, 1);
  panelPress(ws, 200 + f.right - 2, 100 + f.top + 5);  // right of the text: at its end
  EXPECT_EQ(ws.panel.caret, 3);
  // A press inside the panel but outside the field starts a move.
  EXPECT_EQ(panelPress(ws, 205, 105).kind, Repaint::Kind::kRect);
  EXPECT_TRUE(ws.panel.moving);
  panelMove(ws, 215, 125);
  EXPECT_EQ(panelRelease(ws, 225, 135).kind, Repaint::Kind::kWhole);
  EXPECT_EQ(ws.panel.originX, 220);
  EXPECT_EQ(ws.panel.originY, 130);
  EXPECT_EQ(ws.panel.rect.left, 220);
  EXPECT_EQ(panelRelease(ws, 0, 0).kind, Repaint::Kind::kNothing);
  // A new panel stands at (200, 100) again.
  openPanel(ws, findToolbarButton(kCommandNegation)->panel);
  EXPECT_EQ(ws.panel.originX, 200);
  EXPECT_EQ(ws.panel.fields[0].text, "");
  EXPECT_EQ(panelPress(ws, 5, 5).kind, Repaint::Kind::kNothing);  // outside
}

}  // namespace
}  // namespace kest
