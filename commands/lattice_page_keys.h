// Steering the page of Con(A) or Sub(A): the space bar relaxes the
// drawing, + and - zoom, the arrow and page keys scroll, and the keys that
// turn the lattice page's drawing turn this one about its vertical axis
// (digits, q, a and z one way, every other key the other). The mouse
// wheel scrolls, with Ctrl it zooms about the pointer.
#pragma once

#include <cstdint>

#include "commands/repaint.h"
#include "core/workspace.h"

namespace kest {

Repaint steerComputedLattice(Workspace& ws, int32_t key);

// steps > 0 zooms in; (x, y) is the view point that stays put.
Repaint zoomComputedLattice(Workspace& ws, int32_t steps, int32_t x, int32_t y);

// Scrolls by (dx, dy) view units, within the diagram.
Repaint scrollComputedLattice(Workspace& ws, int32_t dx, int32_t dy);

}  // namespace kest
