#include "commands/lattice_page_keys.h"

#include <algorithm>
#include <cmath>

#include "commands/computed_lattice_page.h"
#include "commands/key_dispatch.h"

namespace kest {

namespace {

constexpr double kZoomStep = 1.25;
constexpr double kLeastZoom = 0.05;
constexpr double kMostZoom = 8;
constexpr double kTurn = 0.17444444444444446;  // about 10 degrees

LatticeDiagram* diagram(Workspace& ws) { return ws.lastLattice.listing ? ws.lastLattice.diagram.get() : nullptr; }

// Keeps the scroll within the diagram's extent.
void clampScroll(const Workspace& ws, LatticeDiagram& d) {
  const DiagramGeometry g = latticeDiagramGeometry(ws, d);
  d.scrollX = std::clamp(d.scrollX, 0, std::max(0, g.width - ws.viewWidth));
  d.scrollY = std::clamp(d.scrollY, 0, std::max(0, g.height - ws.viewHeight));
}

// A turn about the vertical axis through the middle of the drawing.
void turn(LatticeDiagram& d, int32_t direction) {
  std::vector<double>& x = d.layout.x;
  if (x.empty()) return;
  const auto [low, high] = std::minmax_element(x.begin(), x.end());
  const double middle = (*low + *high) / 2;
  const double angle = direction > 0 ? kTurn : -kTurn;
  for (size_t v = 0; v < x.size(); ++v) {
    const double across = x[v] - middle;
    x[v] = middle + across * std::cos(angle) - d.depth[v] * std::sin(angle);
    d.depth[v] = across * std::sin(angle) + d.depth[v] * std::cos(angle);
  }
}

Repaint scrollKey(Workspace& ws, LatticeDiagram& d, int32_t key) {
  switch (key) {
    case kKeyLeft: d.scrollX -= 60; break;
    case kKeyRight: d.scrollX += 60; break;
    case kKeyUp: d.scrollY -= 60; break;
    case kKeyDown: d.scrollY += 60; break;
    case kKeyPageUp: d.scrollY -= ws.viewHeight * 9 / 10; break;
    case kKeyPageDown: d.scrollY += ws.viewHeight * 9 / 10; break;
    case kKeyHome: d.scrollX = d.scrollY = 0; break;
    case kKeyEnd: d.scrollY = INT32_MAX / 2; break;
    default: return Repaint::nothing();
  }
  clampScroll(ws, d);
  return Repaint::whole();
}

}  // namespace

Repaint steerComputedLattice(Workspace& ws, int32_t key) {
  LatticeDiagram* d = diagram(ws);
  if (!d) return Repaint::nothing();
  if (key >= 1000) return scrollKey(ws, *d, key);
  if (key == '+' || key == '=') return zoomComputedLattice(ws, 1, ws.viewWidth / 2, ws.viewHeight / 2);
  if (key == '-') return zoomComputedLattice(ws, -1, ws.viewWidth / 2, ws.viewHeight / 2);
  if (key == ' ') {
    relaxLayout(d->layout, d->extents, d->dummyExtent);
    return Repaint::whole();
  }
  if (key < 32 || key >= 127) return Repaint::nothing();
  const bool positive = (key >= '0' && key <= '9') || key == 'q' || key == 'a' || key == 'z';
  turn(*d, positive ? 1 : -1);
  return Repaint::whole();
}

Repaint zoomComputedLattice(Workspace& ws, int32_t steps, int32_t x, int32_t y) {
  LatticeDiagram* d = diagram(ws);
  if (!d || steps == 0) return Repaint::nothing();
  const double before = d->zoom;
  d->zoom = std::clamp(before * std::pow(kZoomStep, steps), kLeastZoom, kMostZoom);
  // The page point under (x, y) stays there (the margins aside).
  const double ratio = d->zoom / before;
  d->scrollX = static_cast<int32_t>(std::lround((d->scrollX + x) * ratio - x));
  d->scrollY = static_cast<int32_t>(std::lround((d->scrollY + y) * ratio - y));
  clampScroll(ws, *d);
  return Repaint::whole();
}

Repaint scrollComputedLattice(Workspace& ws, int32_t dx, int32_t dy) {
  LatticeDiagram* d = diagram(ws);
  if (!d) return Repaint::nothing();
  d->scrollX += dx;
  d->scrollY += dy;
  clampScroll(ws, *d);
  return Repaint::whole();
}

}  // namespace kest
