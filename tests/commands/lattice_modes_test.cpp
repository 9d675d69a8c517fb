// The lattice commands as a user gives them: panels, modes, keys, the
// toolbar, the steering keys of the lattice page, and their messages.
#include <gtest/gtest.h>

#include "commands/executor.h"
#include "commands/key_commands.h"
#include "commands/key_dispatch.h"
#include "commands/panel_commands.h"
#include "commands/toolbar_commands.h"
#include "core/algebra_store.h"
#include "structure/lattice_layout.h"
#include "tests/oracle/random_inputs.h"

namespace kest {
namespace {

using oracle::workspaceWithSignature;
using Lines = std::vector<std::string>;

void run(Workspace& ws, int32_t command, const std::string& text) {
  ASSERT_TRUE(openPanel(ws, findToolbarButton(command)->panel));
  setFieldText(ws.panel, 0, text);
  submitPanel(ws);
}

void key(Workspace& ws, char c, int32_t k, const std::string& text = "") {
  runSingleKeyCommand(ws, c, k);
  if (ws.panel.open) {
    setFieldText(ws.panel, 0, text);
    submitPanel(ws);
  }
}

TEST(LatticeModes, PentagonFromItsOrderAndItsReport) {
  Workspace ws = workspaceWithSignature("L");
  createAlgebra(ws, 5);
  run(ws, kCommandLattice, "abe acde");
  EXPECT_TRUE(ws.messages.lines().empty());
  key(ws, 'l', 0);
  EXPECT_EQ(ws.messages.lines(), (Lines{"A0 is a lattice", "The lattice is NOT distributive",
                                        "The lattice is NOT modular", "The lattice is meet semidistributive",
                                        "The lattice is join semidistributive", "The lattice is Whitman"}));
  key(ws, 'k', 0);
  EXPECT_EQ(ws.messages.lines(), (Lines{"The algebra is NOT conservative"}));
}

TEST(LatticeModes, LatticeFailuresAndTheirMessages) {
  Workspace ws = workspaceWithSignature("L");
  createAlgebra(ws, 3);
  run(ws, kCommandLattice, "ab ac");  // the meet is built, the join is not
  EXPECT_EQ(ws.messages.lines(), (Lines{"The input is not a lattice"}));
  EXPECT_EQ(ws.algebra(0).table[9 + 1 * 3 + 2], 0);  // b.c = a
  EXPECT_EQ(ws.algebra(0).table[1 * 3 + 2], -1);
  run(ws, kCommandJoin, "ab ac");
  EXPECT_EQ(ws.messages.lines(), (Lines{"Bad input"}));
  run(ws, kCommandMeet, "abca");
  EXPECT_EQ(ws.messages.lines(), (Lines{"Bad input"}));
  run(ws, kCommandMeet, "ab ac");
  EXPECT_TRUE(ws.messages.lines().empty());
  key(ws, 'l', 0);
  EXPECT_EQ(ws.messages.lines(), (Lines{"A0 is a meet semilattice"}));
  run(ws, kCommandJoin, "abc");
  key(ws, 'l', 0);
  EXPECT_EQ(ws.messages.lines(), (Lines{"A0 is a join semilattice"}));  // the join is tried first
}

TEST(LatticeModes, SignatureDecidesWhichPanelsOpen) {
  Workspace plus = workspaceWithSignature("+");
  EXPECT_FALSE(openPanel(plus, findToolbarButton(kCommandMeet)->panel));
  EXPECT_TRUE(openPanel(plus, findToolbarButton(kCommandJoin)->panel));
  EXPECT_FALSE(openPanel(plus, findToolbarButton(kCommandLattice)->panel));
  Workspace dot = workspaceWithSignature(".");
  EXPECT_TRUE(openPanel(dot, findToolbarButton(kCommandMeet)->panel));
  EXPECT_FALSE(openPanel(dot, findToolbarButton(kCommandJoin)->panel));
  dot.panel.open = false;
  EXPECT_EQ(runToolbarCommand(dot, kCommandLattice, noProgress()).kind, Repaint::Kind::kNothing);
  EXPECT_FALSE(dot.panel.open);
  Workspace lattice = workspaceWithSignature("L");
  EXPECT_TRUE(openPanel(lattice, findToolbarButton(kCommandLattice)->panel));
  EXPECT_EQ(lattice.inputMode, InputMode::kLattice);
  EXPECT_EQ(lattice.panel.labels.back().text, "For example, input pentagon as    abe acde");
}

TEST(LatticeModes, LinearExpressionInput) {
  Workspace ws = workspaceWithSignature("+");
  createAlgebra(ws, 5);
  run(ws, kCommandLinear, "+ 1 1");
  EXPECT_EQ(ws.algebra(0).table[3 * 5 + 4], 2);
  run(ws, kCommandLinear, "+ -1 1");  // a = 4
  EXPECT_EQ(ws.algebra(0).table[1 * 5 + 0], 4);
  run(ws, kCommandLinear, "+x 1 1 0");  // the x is ignored
  EXPECT_EQ(ws.algebra(0).table[1 * 5 + 0], 1);
  const std::vector<int32_t> before = ws.algebra(0).table;
  for (const char* bad : {"+", "+ 1", "+ 1 2 3 4", "- 1 1", "1 1 1"}) run(ws, kCommandLinear, bad);
  EXPECT_EQ(ws.algebra(0).table, before);
  run(ws, kCommandLinear, "+ 2 0 3");
  EXPECT_EQ(ws.algebra(0).table[2 * 5 + 4], 2);  // 3 + 4 mod 5
}

TEST(LatticeModes, ConservativeOperationsRefuseCommutativeSymbols) {
  Workspace ws = workspaceWithSignature("+c .");
  createAlgebra(ws, 3);
  const std::vector<int32_t> before = ws.algebra(0).table;
  run(ws, kCommandGraph, "+ abca");
  EXPECT_EQ(ws.messages.lines(), (Lines{"Does not work for commutative operation"}));
  run(ws, kCommandOrder, "+ abc");
  EXPECT_EQ(ws.algebra(0).table, before);
  run(ws, kCommandGraph, ". abca");
  EXPECT_EQ(ws.algebra(0).table[9 + 0 * 3 + 1], 0);  // a.b = a
  EXPECT_EQ(ws.algebra(0).table[9 + 0 * 3 + 2], 2);  // a.c = c
  run(ws, kCommandOrder, ".   abc");
  EXPECT_EQ(ws.algebra(0).table[9 + 0 * 3 + 2], 0);
}

TEST(LatticeModes, KeyBOpensTheLinesPanelOnTheAlgebraUnderThePointer) {
  Workspace ws = workspaceWithSignature(".");
  createAlgebra(ws, 3);
  createAlgebra(ws, 3);
  runSingleKeyCommand(ws, 'B', 1);
  ASSERT_TRUE(ws.panel.open);
  EXPECT_EQ(ws.inputMode, InputMode::kLines);
  setFieldText(ws.panel, 0, ". acb");
  submitPanel(ws);
  EXPECT_EQ(ws.algebra(1).table[0 * 3 + 2], 1);  // a.c = b
  EXPECT_EQ(ws.algebra(0).table[0 * 3 + 2], -1);
}

TEST(LatticeModes, RewrittenTablesAndKeyNDropTheDrawing) {
  Workspace ws = workspaceWithSignature("L");
  createAlgebra(ws, 5);
  run(ws, kCommandLattice, "abe acde");
  computeLatticeLayout(ws, 0, 0);
  EXPECT_EQ(runSingleKeyCommand(ws, 'N', 0).kind, Repaint::Kind::kNothing);
  EXPECT_FALSE(ws.algebra(0).hasLatticeCoordinates());
  computeLatticeLayout(ws, 0, 0);
  run(ws, kCommandLattice, "abcde");
  EXPECT_FALSE(ws.algebra(0).hasLatticeCoordinates());
  computeLatticeLayout(ws, 0, 0);
  run(ws, kCommandLinear, "+ 1 1");
  EXPECT_FALSE(ws.algebra(0).hasLatticeCoordinates());
}

TEST(LatticeModes, GluedSumFromTheToolbar) {
  Workspace ws = workspaceWithSignature("L");
  createAlgebra(ws, 2);
  run(ws, kCommandLattice, "ab");
  createAlgebra(ws, 3);
  ws.greenMarked = 1;
  runToolbarCommand(ws, kCommandGlue, noProgress());
  EXPECT_EQ(ws.algebraCount(), 2);  // A1 is no lattice: nothing
  ws.redMarked = 1;
  run(ws, kCommandLattice, "abc");
  ws.redMarked = 0;
  runToolbarCommand(ws, kCommandGlue, noProgress());
  ASSERT_EQ(ws.algebraCount(), 3);
  EXPECT_EQ(ws.algebra(2).card, 4);
  key(ws, 'l', 2);
  EXPECT_EQ(ws.messages.lines()[1], "The lattice is distributive");
}

TEST(LatticeModes, LatticePageKeysSteerTheRedLattice) {
  Workspace ws = workspaceWithSignature("L");
  createAlgebra(ws, 5);
  run(ws, kCommandLattice, "abe acde");
  runToolbarCommand(ws, kCommandDrawLattice, noProgress());
  ws.pointerX = ws.algebra(0).x + 2;
  ws.pointerY = ws.algebra(0).y + 2;
  // The keys steer the drawing instead of running the key commands.
  EXPECT_EQ(dispatchKey(ws, 'l', noProgress()).kind, Repaint::Kind::kWhole);
  EXPECT_TRUE(ws.messages.lines().empty());
  ASSERT_TRUE(ws.algebra(0).hasLatticeCoordinates());
  EXPECT_EQ(ws.space.owner, 0);
  const std::vector<int32_t> y = ws.algebra(0).latticeY;
  dispatchKey(ws, ' ', noProgress());
  dispatchKey(ws, '7', noProgress());
  EXPECT_EQ(ws.algebra(0).latticeY, y);
  // With no red-marked algebra the keys reach the algebra again.
  ws.redMarked = -1;
  dispatchKey(ws, 'l', noProgress());
  EXPECT_EQ(ws.messages.lines().size(), 6u);
}

}  // namespace
}  // namespace kest
