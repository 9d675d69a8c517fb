// Writing one table entry the way a key pressed over a table cell does:
// the key's element (or undefined, for a key that names no element) goes
// into the cell; the diagonal of an idempotent operation cannot be edited,
// and a commutative operation changes the mirror entry too.
#pragma once

#include <cstdint>

#include "core/workspace.h"

namespace kest {

// A cell of algebra k: op is the operation index; for a binary op (i, j)
// is the entry i op j, for a unary op i is the argument, for a constant
// neither is used.
struct TableCell {
  int32_t op = 0;
  int32_t i = 0;
  int32_t j = 0;
};

enum class CellEdit { kNothing, kCell, kWhole };

// Clears the message lines, then writes the element named by key into the
// cell unless that element is at or beyond the card. kWhole when the
// mirror entry changed or the completeness of k did.
CellEdit editTableEntry(Workspace& ws, int32_t k, const TableCell& cell, int32_t key);

}  // namespace kest
