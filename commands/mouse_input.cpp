#include "commands/mouse_input.h"

#include <algorithm>
#include <cstdlib>

#include "commands/algebra_geometry.h"
#include "commands/computed_lattice_page.h"
#include "commands/panel_input.h"

namespace kest {

Repaint mouseMove(Workspace& ws, int32_t x, int32_t y) {
  if (ws.helpShown || ws.infoShown || ws.embeddingShown) return Repaint::nothing();
  if (ws.panel.open) return panelMove(ws, x, y);
  ws.pointerX = ws.pageScrollX + x;
  ws.pointerY = ws.pageScrollY + y;
  return Repaint::nothing();
}

Repaint leftButtonDown(Workspace& ws, int32_t x, int32_t y) {
  if (ws.helpShown || ws.infoShown) return Repaint::nothing();
  if (ws.embeddingShown || ws.latticeShown || ws.computedLatticeShown) {
    ws.drawingPressX = x;
    ws.drawingPressY = y;
    return Repaint::nothing();
  }
  if (ws.panel.open) return panelPress(ws, x, y);
  const int32_t k = algebraAtPoint(ws, ws.pointerX, ws.pointerY);
  if (ws.validAlgebra(k)) {
    ws.redMarked = k;
    ws.pressMarked = 1;
    return Repaint::whole();
  }
  ws.scrollPressX = x;
  ws.scrollPressY = y;
  return Repaint::nothing();
}

Repaint rightButtonDown(Workspace& ws, int32_t x, int32_t y) {
  (void)x;
  (void)y;
  if (ws.helpShown || ws.infoShown || ws.panel.open || ws.embeddingShown || ws.computedLatticeShown) {
    return Repaint::nothing();
  }
  const int32_t k = algebraAtPoint(ws, ws.pointerX, ws.pointerY);
  if (!ws.validAlgebra(k)) return Repaint::nothing();
  ws.greenMarked = k;
  return Repaint::whole();
}

Repaint leftButtonUp(Workspace& ws, int32_t x, int32_t y) {
  if (ws.helpShown || ws.infoShown) return Repaint::nothing();
  if (ws.embeddingShown) {
    ws.embeddingOffsetX += ws.drawingPressX - x;
    ws.embeddingOffsetY += ws.drawingPressY - y;
    return Repaint::whole();
  }
  if (ws.latticeShown) {
    moveLatticeVertex(ws, ws.redMarked, ws.drawingPressX, ws.drawingPressY, x);
    return Repaint::whole();
  }
  if (ws.computedLatticeShown) return computedLatticeRelease(ws, x, y);
  if (ws.panel.open) return panelRelease(ws, x, y);
  if (ws.pressMarked) {
    ws.pressMarked = 0;
    return Repaint::nothing();
  }
  ws.pageScrollX = std::max(0, ws.pageScrollX + ws.scrollPressX - x);
  ws.pageScrollY = std::max(0, ws.pageScrollY + ws.scrollPressY - y);
  return Repaint::whole();
}

void moveLatticeVertex(Workspace& ws, int32_t k, int32_t pressX, int32_t pressY, int32_t releaseX) {
  if (!ws.validAlgebra(k)) return;
  Algebra& a = ws.algebra(k);
  const NearestVertex hit = nearestLatticeVertex(a, pressX, pressY);
  if (hit.vertex >= 0) a.latticeX[static_cast<size_t>(hit.vertex)] = 10 * releaseX - 1000;
}

NearestVertex nearestLatticeVertex(const Algebra& a, int32_t x, int32_t y) {
  NearestVertex best{-1, 99999};
  if (!a.hasLatticeCoordinates()) return best;
  const int32_t px = 10 * x - 1000;
  const int32_t py = 10 * y - 1000;
  for (int32_t i = 0; i < a.card && i < static_cast<int32_t>(a.latticeX.size()); ++i) {
    const int32_t d =
        std::abs(py - a.latticeY[static_cast<size_t>(i)]) + std::abs(px - a.latticeX[static_cast<size_t>(i)]);
    if (d < best.distance) best = {i, d};
  }
  return best;
}

}  // namespace kest
