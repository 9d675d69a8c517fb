#include "commands/cell_edit.h"

#include "core/algebra_store.h"
#include "core/element_names.h"

namespace kest {

CellEdit editTableEntry(Workspace& ws, int32_t k, const TableCell& cell, int32_t key) {
  const int32_t e = (key >= 0 && key < 256) ? elementOfName(static_cast<char>(key), ws.sig.maxNamedElements) : -1;
  ws.messages.clearMessages();
  if (!ws.validAlgebra(k)) return CellEdit::kNothing;
  const int32_t wasComplete = isComplete(ws, k);
  Algebra& a = ws.algebra(k);
  if (e >= a.card) return CellEdit::kNothing;
  a.discardLatticeCoordinates();
  const TableLayout lay = ws.layout(k);
  const int32_t arity = ws.sig.opArity[static_cast<size_t>(cell.op)];
  bool mirrored = false;
  if (arity == 2) {
    if (ws.sig.opIdempotent[static_cast<size_t>(cell.op)] && cell.i == cell.j) return CellEdit::kNothing;
    a.table[static_cast<size_t>(lay.binary(cell.op, cell.i, cell.j))] = e;
    if (ws.sig.opCommutative[static_cast<size_t>(cell.op)] && cell.i != cell.j) {
      a.table[static_cast<size_t>(lay.binary(cell.op, cell.j, cell.i))] = e;
      mirrored = true;
    }
  } else if (arity == 1) {
    a.table[static_cast<size_t>(lay.unary(cell.op, cell.i))] = e;
  } else {
    a.table[static_cast<size_t>(lay.constant(cell.op - ws.sig.binaryCount - ws.sig.unaryCount))] = e;
  }
  return (mirrored || isComplete(ws, k) != wasComplete) ? CellEdit::kWhole : CellEdit::kCell;
}

}  // namespace kest
