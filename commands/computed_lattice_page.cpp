#include "commands/computed_lattice_page.h"

#include <algorithm>
#include <cstdlib>

#include "commands/structure_commands.h"
#include "core/algebra_store.h"
#include "structure/factor_algebra.h"
#include "structure/lattice_covers.h"
#include "structure/lattice_listing.h"

namespace kest {

namespace {

// A click this close to a node's centre hits it.
constexpr int32_t kHitDistance = kNodeRadius + 6;

std::string algebraName(int32_t k) { return "A" + std::to_string(k); }

std::string latticeName(const ComputedLattice& l) {
  return std::string(l.listing->kind() == LatticeListing::Kind::kCongruences ? "Con(" : "Sub(") +
         algebraName(l.algebra) + ")";
}

// Room beside each node: its label's when every label fits, else the disc's.
void setExtents(LatticeDiagram& d, size_t count) {
  const double disc = kNodeRadius + 2;
  d.dummyExtent = {3, 3};
  d.extents.assign(count, {disc, disc});
  if (count > kRoomForAllLabels) return;
  for (size_t i = 0; i < count; ++i)
    d.extents[i].right = kLabelDx + kCharWidth * static_cast<double>(d.labels[i].size()) + 2;
}

// The algebra the list was made from, as it was: its number, or -1 with
// the notice saying why not.
int32_t listedAlgebra(Workspace& ws) {
  ComputedLattice& l = ws.lastLattice;
  const int32_t k = findAlgebraById(ws, l.algebraId);
  if (k < 0) {
    l.notice = "The algebra of " + latticeName(l) + " is no longer there: nothing appended";
    return -1;
  }
  if (algebraFingerprint(ws, k) != l.fingerprint) {
    l.notice = algebraName(k) + " has changed since " + latticeName(l) + " was listed: nothing appended";
    return -1;
  }
  return k;
}

}  // namespace

void setComputedLattice(Workspace& ws, int32_t k, std::shared_ptr<const LatticeListing> listing, Progress& progress) {
  ComputedLattice& l = ws.lastLattice;
  l = ComputedLattice{};
  l.listing = std::move(listing);
  l.algebra = k;
  l.algebraId = ws.algebra(k).id;
  l.fingerprint = algebraFingerprint(ws, k);
  if (ws.computedLatticeShown) prepareLatticeDiagram(ws, progress);
}

bool prepareLatticeDiagram(Workspace& ws, Progress& progress) {
  ComputedLattice& l = ws.lastLattice;
  if (!l.listing || l.diagram || l.listing->size() > kMostDiagramElements) return true;
  const LatticeListing& list = *l.listing;
  progress.setTask("The diagram of " + latticeName(l));
  const std::optional<CoverPairs> covers = latticeCovers(list, progress);
  if (!covers) return false;
  auto d = std::make_shared<LatticeDiagram>();
  for (size_t i = 0; i < list.size(); ++i) d->labels.push_back(list.letter() + std::to_string(i));
  d->showLabels = list.size() <= kMostLabelledElements;
  setExtents(*d, list.size());
  std::optional<LayeredLayout> layout =
      layeredLayout(static_cast<int32_t>(list.size()), *covers, d->extents, d->dummyExtent, progress);
  if (!layout) return false;
  d->layout = std::move(*layout);
  d->depth.assign(d->layout.x.size(), 0);
  l.diagram = std::move(d);
  return true;
}

void toggleComputedLatticePage(Workspace& ws, Progress& progress) {
  if (ws.helpShown || ws.infoShown || ws.latticeShown || ws.embeddingShown) return;
  if (ws.computedLatticeShown) {
    ws.computedLatticeShown = 0;
    return;
  }
  showComputedLatticePage(ws, progress);
}

void showComputedLatticePage(Workspace& ws, Progress& progress) {
  if (!prepareLatticeDiagram(ws, progress)) return;
  ws.helpShown = ws.infoShown = ws.latticeShown = ws.embeddingShown = 0;
  ws.computedLatticeShown = 1;
}

const LatticeDiagram* latticeDiagram(const Workspace& ws) {
  return ws.lastLattice.listing ? ws.lastLattice.diagram.get() : nullptr;
}

DiagramGeometry latticeDiagramGeometry(const Workspace& ws, const LatticeDiagram& d) {
  return diagramGeometry(d.layout, d.labels, d.showLabels, ws.viewWidth, ws.viewHeight, d.zoom);
}

std::string latticePageNotice(const Workspace& ws) {
  const ComputedLattice& l = ws.lastLattice;
  if (!l.listing) return "No Con(A) or Sub(A) has been listed";
  if (l.listing->size() > kMostDiagramElements) {
    return latticeName(l) + " has " + std::to_string(l.listing->size()) + " elements; the page draws at most " +
           std::to_string(kMostDiagramElements);
  }
  if (!l.notice.empty()) return l.notice;
  return latticeName(l) + ": click a node to append its " +
         (l.listing->kind() == LatticeListing::Kind::kCongruences ? "factor algebra" : "subalgebra");
}

bool appendFromComputedLattice(Workspace& ws, int32_t i) {
  ComputedLattice& l = ws.lastLattice;
  if (!l.listing || i < 0 || static_cast<size_t>(i) >= l.listing->size()) return false;
  const int32_t k = listedAlgebra(ws);
  if (k < 0) {
    ws.messages.setMessage(l.notice);
    return false;
  }
  const std::string name = l.listing->letter() + std::to_string(i);
  // The listing is shared: the append below may not replace it, but keep it alive regardless.
  const std::shared_ptr<const LatticeListing> list = l.listing;
  if (list->kind() == LatticeListing::Kind::kCongruences) {
    const int32_t f = appendFactor(ws, k, list->partition(static_cast<size_t>(i)));
    if (f < 0) return false;
    l.notice = algebraName(f) + " is the factor algebra of " + algebraName(k) + " by " + name;
    ws.messages.setMessage(l.notice);
    return true;
  }
  if (!appendSubalgebraReport(ws, k, list->members(static_cast<size_t>(i)))) return false;
  l.notice = algebraName(ws.algebraCount() - 1) + " is the subalgebra of " + algebraName(k) + " on " + name;
  // The notice, then how the members were renamed.
  std::vector<std::string> lines{l.notice};
  lines.insert(lines.end(), ws.messages.lines().begin(), ws.messages.lines().end());
  ws.messages.setReport(std::move(lines));
  return true;
}

Repaint computedLatticeRelease(Workspace& ws, int32_t x, int32_t y) {
  LatticeDiagram* d = ws.lastLattice.listing ? ws.lastLattice.diagram.get() : nullptr;
  if (!d) return Repaint::nothing();
  const DiagramGeometry g = latticeDiagramGeometry(ws, *d);
  auto nearest = [&](int32_t px, int32_t py) {
    int32_t best = -1;
    int64_t bestDistance = INT64_MAX;
    for (size_t i = 0; i < g.nodes.size(); ++i) {
      const int64_t dx = g.nodes[i].x - (px + d->scrollX);
      const int64_t dy = g.nodes[i].y - (py + d->scrollY);
      if (dx * dx + dy * dy < bestDistance) {
        bestDistance = dx * dx + dy * dy;
        best = static_cast<int32_t>(i);
      }
    }
    return bestDistance <= int64_t{kHitDistance} * kHitDistance ? best : -1;
  };
  const int32_t hit = nearest(ws.drawingPressX, ws.drawingPressY);
  if (hit < 0) return Repaint::nothing();
  if (std::abs(x - ws.drawingPressX) + std::abs(y - ws.drawingPressY) > 4) {
    d->layout.x[static_cast<size_t>(hit)] = layoutX(g, x + d->scrollX);
    return Repaint::whole();
  }
  appendFromComputedLattice(ws, hit);
  return Repaint::whole();
}

}  // namespace kest
