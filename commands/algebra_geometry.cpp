#include "commands/algebra_geometry.h"

#include "core/element_names.h"

namespace kest {

int32_t algebraAtPoint(const Workspace& ws, int32_t px, int32_t py) {
  for (int32_t k = 0; k < ws.algebraCount(); ++k) {
    const Algebra& a = ws.algebra(k);
    if (px < a.x || px > a.x + a.boxWidth) continue;
    if (a.displayed ? py >= ws.displayedRowY : (py >= ws.hiddenRowY && py <= ws.hiddenRowY + 20)) return k;
  }
  return -1;
}

std::optional<CellHit> cellAtPoint(const Workspace& ws, int32_t k, int32_t px, int32_t py) {
  const Algebra& a = ws.algebra(k);
  const int32_t n = a.card;
  const int32_t x = a.x;
  const int32_t y = a.y;
  if (px < x + kFirstColumnX || py < y + kTablesTop) return std::nullopt;
  const Signature& sig = ws.sig;
  const int32_t h = binaryBlock(n);
  const int32_t column = (px - x - kFirstColumnX) / kCellPitch;
  const int32_t r = (py - y - kTablesTop) / h;
  if (r < sig.binaryCount) {
    const int32_t dy = py - y - 37 - r * h;
    if (column >= n || dy < 0 || dy / kCellPitch >= n) return std::nullopt;
    const int32_t row = dy / kCellPitch;
    const int32_t left = x + kFirstColumnX + kCellPitch * column;
    const int32_t top = y + 37 + r * h + 16 * row;
    return CellHit{{r, row, column}, {left, top, left + 16, top + 16}};
  }
  const int32_t d = py - y - kTablesTop - sig.binaryCount * h;
  if (d < 0) return std::nullopt;
  const int32_t t = d / kUnaryPitch;
  if (t < sig.unaryCount) {
    if (d % kUnaryPitch < 17 || column >= n) return std::nullopt;
    const int32_t left = x + kFirstColumnX + kCellPitch * column;
    const int32_t top = y + 37 + sig.binaryCount * h + kUnaryPitch * t;
    return CellHit{{sig.binaryCount + t, column, 0}, {left, top, left + 16, top + 16}};
  }
  const int32_t below = py - y - kTablesTop - sig.binaryCount * h - kUnaryPitch * sig.unaryCount;
  const int32_t c = below / kCellPitch;
  if (c >= sig.constantCount) return std::nullopt;
  const int32_t top = y + 20 + sig.binaryCount * h + kUnaryPitch * sig.unaryCount + 16 * c;
  return CellHit{{sig.binaryCount + sig.unaryCount + c, 0, 0}, {x + kFirstColumnX, top, x + 74, top + kCellPitch}};
}

Repaint editCellAtPoint(Workspace& ws, int32_t k, int32_t px, int32_t py, int32_t key) {
  if (!ws.validAlgebra(k)) return Repaint::nothing();
  // The message lines are cleared whatever the key meets; the drawing's
  // coordinates go as soon as the key names an element the table can hold.
  ws.messages.clearMessages();
  Algebra& a = ws.algebra(k);
  const int32_t e = (key >= 0 && key < 256) ? elementOfName(static_cast<char>(key), ws.sig.maxNamedElements) : -1;
  if (px < a.x + kFirstColumnX || py < a.y + kTablesTop || e >= a.card) return Repaint::nothing();
  a.discardLatticeCoordinates();
  const std::optional<CellHit> hit = cellAtPoint(ws, k, px, py);
  if (!hit) return Repaint::nothing();
  switch (editTableEntry(ws, k, hit->cell, key)) {
    case CellEdit::kNothing: return Repaint::nothing();
    case CellEdit::kWhole: return Repaint::whole();
    case CellEdit::kCell: break;
  }
  Rect r = hit->rect;
  r.left -= ws.pageScrollX;
  r.right -= ws.pageScrollX;
  r.top -= ws.pageScrollY;
  r.bottom -= ws.pageScrollY;
  return Repaint::area(r);
}

}  // namespace kest
