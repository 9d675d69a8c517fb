#include "commands/executor.h"

#include <gtest/gtest.h>

#include "commands/panel_commands.h"
#include "commands/toolbar_commands.h"
#include "core/algebra_store.h"
#include "terms/term_print.h"
#include "tests/oracle/random_inputs.h"

namespace kest {
namespace {

using oracle::workspaceWithSignature;

// Opens the command's panel, types text and presses Enter.
void run(Workspace& ws, int32_t command, const std::string& text) {
  openPanel(ws, findToolbarButton(command)->panel);
  setFieldText(ws.panel, 0, text);
  submitPanel(ws);
}

TEST(Executor, SignatureModeKeepsTheTypedText) {
  Workspace ws;
  EXPECT_TRUE(ws.panel.open);
  EXPECT_EQ(ws.inputMode, InputMode::kSignature);
  EXPECT_EQ(ws.panel.labels.size(), 12u);
  setFieldText(ws.panel, 0, "L");
  submitPanel(ws);
  EXPECT_FALSE(ws.panel.open);
  EXPECT_EQ(ws.signatureText, "L");
  EXPECT_EQ(ws.sig.latticeSignature, 1);
  EXPECT_EQ(ws.terms.firstCompoundNode, 26);
}

TEST(Executor, NewAlgebraChecksTheRange) {
  Workspace ws = workspaceWithSignature(".");
  for (const char* bad : {"0", "3001", "-5", "abc", ""}) run(ws, kCommandNewAlgebra, bad);
  EXPECT_EQ(ws.algebraCount(), 0);
  run(ws, kCommandNewAlgebra, " 3");
  EXPECT_EQ(ws.algebraCount(), 1);
  run(ws, kCommandNewAlgebra, "3000");
  ASSERT_EQ(ws.algebraCount(), 2);
  EXPECT_EQ(ws.algebra(1).displayed, 0);
  run(ws, kCommandNewAlgebra, "12x");  // no digit check: reads 192
  ASSERT_EQ(ws.algebraCount(), 3);
  EXPECT_EQ(ws.algebra(2).card, 192);
}

TEST(Executor, TermAndEquationMode) {
  Workspace ws = workspaceWithSignature(".");
  run(ws, kCommandTermOrEquation, "x=y=z");
  run(ws, kCommandTermOrEquation, "x y");
  run(ws, kCommandTermOrEquation, "x+y");
  EXPECT_EQ(ws.terms.formulaListCount() + ws.terms.namedTermCount(), 0);
  run(ws, kCommandTermOrEquation, "x");
  EXPECT_EQ(ws.terms.namedTermCount(), 1);
  run(ws, kCommandTermOrEquation, "xA=Ax");
  EXPECT_EQ(ws.terms.formulaListCount(), 1);
  for (int i = 0; i < 30; ++i) run(ws, kCommandTermOrEquation, "xy");
  EXPECT_EQ(ws.terms.namedTermCount(), 25);
}

TEST(Executor, ConnectiveModesCheckCountsAndRanges) {
  Workspace ws = workspaceWithSignature(".");
  run(ws, kCommandTermOrEquation, "xy=yx");
  run(ws, kCommandTermOrEquation, "x=y");
  run(ws, kCommandTermOrEquation, "x=x");
  ws.messages.setMessage("kept");
  run(ws, kCommandConjunction, "0");
  run(ws, kCommandConjunction, "0 3");
  run(ws, kCommandConjunction, "0 -1");
  run(ws, kCommandImplication, "0 1 2");
  run(ws, kCommandImplication, "1 2 ");  // the trailing blank reads a third number
  run(ws, kCommandNegation, "");
  run(ws, kCommandNegation, "0 1");
  run(ws, kCommandEquivalence, "5 0");
  EXPECT_EQ(ws.terms.formulaListCount(), 3);
  EXPECT_EQ(ws.terms.formulaPoolCount(), 3);
  EXPECT_EQ(ws.messages.lines(), (std::vector<std::string>{"kept"}));
  run(ws, kCommandConjunction, "0 0");
  run(ws, kCommandDisjunction, "1 2 0");
  run(ws, kCommandImplication, "0 1");
  run(ws, kCommandEquivalence, "1 2");
  run(ws, kCommandNegation, "2");
  ASSERT_EQ(ws.terms.formulaListCount(), 8);
  EXPECT_EQ(printFormula(ws, ws.terms.formulaList[3], false), "xy=yx & xy=yx");
  EXPECT_EQ(printFormula(ws, ws.terms.formulaList[4], false), "x=y V x=x V xy=yx");
  EXPECT_EQ(printFormula(ws, ws.terms.formulaList[7], false), "!x=x");
}

TEST(Executor, UnknownModesDoNothing) {
  Workspace ws = workspaceWithSignature(".");
  ws.messages.setMessage("kept");
  for (int c = 0; c < 256; ++c) {
    if (std::string(" e&VIEN").find(static_cast<char>(c)) != std::string::npos || c == 'n') continue;
    executeCommand(ws, static_cast<InputMode>(c));
  }
  EXPECT_EQ(ws.algebraCount(), 0);
  EXPECT_EQ(ws.messages.count(), 1);
}

TEST(Executor, NewKeepsTheSignatureAndClearsEverythingElse) {
  Workspace ws;
  setFieldText(ws.panel, 0, ". + 0");
  submitPanel(ws);
  run(ws, kCommandNewAlgebra, "2");
  run(ws, kCommandTermOrEquation, "x+0=x");
  ws.polishNotation = 1;
  newWorkspace(ws);
  EXPECT_EQ(ws.algebraCount(), 0);
  EXPECT_EQ(ws.terms.formulaListCount(), 0);
  EXPECT_EQ(ws.terms.nodeCount(), 27);
  EXPECT_EQ(ws.sig.constantCount, 1);
  EXPECT_EQ(ws.redMarked, -1);
  EXPECT_EQ(ws.polishNotation, 0);
  EXPECT_FALSE(ws.panel.open);
  EXPECT_EQ(ws.inputMode, InputMode::kSignature);
}

}  // namespace
}  // namespace kest
