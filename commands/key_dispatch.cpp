#include "commands/key_dispatch.h"

#include <algorithm>

#include "commands/algebra_geometry.h"
#include "commands/key_commands.h"
#include "commands/lattice_page_keys.h"
#include "commands/panel_input.h"
#include "structure/lattice_layout.h"

namespace kest {

namespace {

// The arrows, Home and Page Up on the Help page: 300 down, 100 across.
Repaint helpScroll(Workspace& ws, int32_t key) {
  switch (key) {
    case kKeyDown: ws.helpScrollY += 300; break;
    case kKeyUp: ws.helpScrollY = std::max(0, ws.helpScrollY - 300); break;
    case kKeyLeft: ws.helpScrollX = std::max(0, ws.helpScrollX - 100); break;
    case kKeyRight: ws.helpScrollX += 100; break;
    case kKeyHome:
    case kKeyPageUp: ws.helpScrollX = ws.helpScrollY = 0; break;
    default: return Repaint::nothing();
  }
  return Repaint::whole();
}

// The same keys on the normal page: 400 down, 700 across.
Repaint pageScroll(Workspace& ws, int32_t key) {
  switch (key) {
    case kKeyDown: ws.pageScrollY += 400; break;
    case kKeyUp: ws.pageScrollY = std::max(0, ws.pageScrollY - 400); break;
    case kKeyLeft: ws.pageScrollX = std::max(0, ws.pageScrollX - 700); break;
    case kKeyRight: ws.pageScrollX += 700; break;
    case kKeyHome:
    case kKeyPageUp: ws.pageScrollX = ws.pageScrollY = 0; break;
    default: return Repaint::nothing();
  }
  return Repaint::whole();
}

}  // namespace

Repaint scrollByWheel(Workspace& ws, int32_t steps) {
  if (ws.helpShown) {
    ws.helpScrollY = std::max(0, ws.helpScrollY + 60 * steps);
    return Repaint::whole();
  }
  if (ws.computedLatticeShown) return scrollComputedLattice(ws, 0, 60 * steps);
  if (ws.infoShown || ws.latticeShown || ws.embeddingShown) return Repaint::nothing();
  ws.pageScrollY = std::max(0, ws.pageScrollY + 80 * steps);
  return Repaint::whole();
}

Repaint zoomByWheel(Workspace& ws, int32_t steps, int32_t x, int32_t y) {
  return ws.computedLatticeShown ? zoomComputedLattice(ws, steps, x, y) : Repaint::nothing();
}

Repaint scrollSidewaysByWheel(Workspace& ws, int32_t steps) {
  return ws.computedLatticeShown ? scrollComputedLattice(ws, 60 * steps, 0) : Repaint::nothing();
}

Repaint dispatchKey(Workspace& ws, int32_t key, Progress& progress) {
  if (ws.helpShown) return helpScroll(ws, key);
  if (ws.infoShown) return Repaint::nothing();
  if (ws.embeddingShown) {
    ws.embeddingOffsetX = 0;
    ws.embeddingOffsetY = 0;
    return Repaint::nothing();
  }
  if (ws.panel.open) return panelKey(ws, key, progress);
  // On the page of Con(A) or Sub(A) the keys steer its drawing.
  if (ws.computedLatticeShown) return steerComputedLattice(ws, key);
  if (key >= 1000) return pageScroll(ws, key);
  if (key == 'd' && deleteListedRowAt(ws, ws.pointerY)) return Repaint::whole();
  const int32_t k = algebraAtPoint(ws, ws.pointerX, ws.pointerY);
  // On the lattice page the keys steer the drawing of the red-marked algebra.
  if (ws.latticeShown && ws.validAlgebra(ws.redMarked)) {
    steerLatticeDrawing(ws, ws.redMarked, key);
    return Repaint::whole();
  }
  if (k < 0) return Repaint::nothing();
  const Algebra& a = ws.algebra(k);
  // Below the top field lie the tables; a hidden algebra has none to edit.
  if (ws.pointerY - a.y >= 20)
    return a.displayed ? editCellAtPoint(ws, k, ws.pointerX, ws.pointerY, key) : Repaint::nothing();
  return runSingleKeyCommand(ws, key, k, progress);
}

}  // namespace kest
