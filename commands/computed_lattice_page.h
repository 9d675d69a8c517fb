// The page of the last listed Con(A) or Sub(A): its Hasse diagram in
// levels (structure/layered_layout.h), made by the command that shows the
// page (it polls for a stop) and kept with the list until the next one.
// The page needs nothing of the algebra: it draws the list as it was
// made. A click on a node appends the factor algebra by that congruence
// or the subalgebra on that subuniverse, but only while the algebra the
// list was made from is in the store as it was then; the page's notice
// line says what a click did, or why it did nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "commands/repaint.h"
#include "core/progress.h"
#include "core/workspace.h"
#include "structure/diagram_geometry.h"
#include "structure/layered_layout.h"

namespace kest {

// The most elements the page draws, and the most that get labels.
inline constexpr size_t kMostDiagramElements = 4096;
inline constexpr size_t kMostLabelledElements = 2000;
// Up to this many elements every row leaves room for every label.
inline constexpr size_t kRoomForAllLabels = 500;

struct LatticeDiagram {
  LayeredLayout layout;
  std::vector<std::string> labels;  // "C0", "C1", ... or "S0", ...
  bool showLabels = true;
  std::vector<VertexExtent> extents;
  VertexExtent dummyExtent;
  std::vector<double> depth;  // per vertex: its place off the page's plane, for turning
  double zoom = 1;
  int32_t scrollX = 0;
  int32_t scrollY = 0;
};

// Records a finished list as the last one (the diagram of the one before
// goes), and makes its diagram at once when the page is shown.
void setComputedLattice(Workspace& ws, int32_t k, std::shared_ptr<const LatticeListing> listing, Progress& progress);

// Makes the diagram of the last list unless it is made (or the list is
// too long to draw); false when stopped.
bool prepareLatticeDiagram(Workspace& ws, Progress& progress);

// The page button: shows the page (its diagram made first) or hides it.
// showComputedLatticePage only shows it (the Lattices menu).
void toggleComputedLatticePage(Workspace& ws, Progress& progress);
void showComputedLatticePage(Workspace& ws, Progress& progress);

// The diagram, null when there is none to draw; and its place on the page
// for the view's size and zoom.
const LatticeDiagram* latticeDiagram(const Workspace& ws);
DiagramGeometry latticeDiagramGeometry(const Workspace& ws, const LatticeDiagram& d);

// The page's one line: what the last click did, or why nothing is drawn.
std::string latticePageNotice(const Workspace& ws);

// Appends A/theta or the subalgebra for element i of the last list; false
// (with the notice saying why) when the algebra is gone or has changed.
bool appendFromComputedLattice(Workspace& ws, int32_t i);

// The page's mouse: a release that either drags a node sideways or, where
// the pointer barely moved, clicks the node under it.
Repaint computedLatticeRelease(Workspace& ws, int32_t x, int32_t y);

}  // namespace kest
