#include "commands/cell_edit.h"

#include <gtest/gtest.h>

#include "core/algebra_store.h"
#include "tests/oracle/random_inputs.h"

namespace kest {
namespace {

using oracle::workspaceWithSignature;

TEST(CellEdit, IdempotentDiagonalAndCommutativeMirror) {
  Workspace ws = workspaceWithSignature("+ci");
  createAlgebra(ws, 3);
  EXPECT_EQ(editTableEntry(ws, 0, {0, 1, 1}, 'a'), CellEdit::kNothing);
  EXPECT_EQ(ws.algebra(0).table[4], 1);
  EXPECT_EQ(editTableEntry(ws, 0, {0, 0, 2}, 'b'), CellEdit::kWhole);
  EXPECT_EQ(ws.algebra(0).table[2], 1);
  EXPECT_EQ(ws.algebra(0).table[6], 1);
}

TEST(CellEdit, NamesAtOrBeyondTheCardChangeNothingButClearMessages) {
  Workspace ws = workspaceWithSignature(". -");
  createAlgebra(ws, 2);
  ws.algebra(0).latticeX = {1, 2};
  ws.algebra(0).latticeY = {1, 2};
  ws.messages.setMessage("old");
  EXPECT_EQ(editTableEntry(ws, 0, {0, 0, 1}, 'c'), CellEdit::kNothing);
  EXPECT_EQ(ws.algebra(0).table[1], -1);
  EXPECT_EQ(ws.messages.count(), 0);
  EXPECT_TRUE(ws.algebra(0).hasLatticeCoordinates());
  EXPECT_EQ(editTableEntry(ws, 0, {0, 0, 1}, 'b'), CellEdit::kCell);
  EXPECT_EQ(ws.algebra(0).table[1], 1);
  EXPECT_FALSE(ws.algebra(0).hasLatticeCoordinates());
  EXPECT_EQ(editTableEntry(ws, 0, {0, 0, 1}, '.'), CellEdit::kCell);  // no element: undefined again
  EXPECT_EQ(ws.algebra(0).table[1], -1);
  EXPECT_EQ(editTableEntry(ws, 0, {1, 1, 0}, 'a'), CellEdit::kCell);  // unary value of b
  EXPECT_EQ(ws.algebra(0).table[5], 0);
}

TEST(CellEdit, FillingTheLastEntryRepaintsEverything) {
  Workspace ws = workspaceWithSignature(". 0");
  createAlgebra(ws, 1);
  EXPECT_EQ(editTableEntry(ws, 0, {0, 0, 0}, 'a'), CellEdit::kCell);
  EXPECT_EQ(editTableEntry(ws, 0, {1, 0, 0}, 'a'), CellEdit::kWhole);
  EXPECT_EQ(isComplete(ws, 0), 1);
  EXPECT_EQ(editTableEntry(ws, 0, {1, 0, 0}, 'x'), CellEdit::kNothing);  // beyond the card
  EXPECT_EQ(editTableEntry(ws, 0, {1, 0, 0}, '?'), CellEdit::kWhole);    // undefined again
  EXPECT_EQ(isComplete(ws, 0), 0);
}

}  // namespace
}  // namespace kest
