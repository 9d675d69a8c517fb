// Where algebras and their table cells stand on the normal page: a box of
// width 16n+22 with a top field 18 high, then one table per binary
// operation (16n+20 apart), one per unary operation (36 apart) and one line
// per constant (16 apart). Hidden algebras are only a 70 by 18 box. The
// drawing and the hit tests share these numbers.
#pragma once

#include <cstdint>
#include <optional>

#include "commands/cell_edit.h"
#include "commands/repaint.h"
#include "core/workspace.h"

namespace kest {

inline constexpr int32_t kTopFieldHeight = 18;
inline constexpr int32_t kTablesTop = 20;  // first table below the box top
inline constexpr int32_t kCellPitch = 16;
inline constexpr int32_t kFirstColumnX = 26;
inline constexpr int32_t kHeaderX = 4;
inline constexpr int32_t kSeparatorX = 22;
inline constexpr int32_t kUnaryPitch = 36;

// Height of one binary table block, gap included: 16n + 20.
inline int32_t binaryBlock(int32_t n) { return 16 * n + 20; }

// The first algebra (in store order) under the page point, or -1: a
// displayed algebra's whole column below the top of its row counts, a
// hidden algebra only its box band.
int32_t algebraAtPoint(const Workspace& ws, int32_t px, int32_t py);

// The table cell of displayed algebra k under the page point, with the
// cell's rectangle in page coordinates.
struct CellHit {
  TableCell cell;
  Rect rect;
};
std::optional<CellHit> cellAtPoint(const Workspace& ws, int32_t k, int32_t px, int32_t py);

// A key over a table cell: writes the key's element there (as
// editTableEntry) and says what to repaint, in window coordinates.
Repaint editCellAtPoint(Workspace& ws, int32_t k, int32_t px, int32_t py, int32_t key);

}  // namespace kest
