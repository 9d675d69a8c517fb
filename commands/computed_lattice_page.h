// The page of the last listed Con(A) or Sub(A): its Hasse diagram, drawn
// by the lattice drawing from a workspace of its own that holds the
// lattice as an algebra (join and meet tables, elements in list order).
// The keys steer the drawing as on the lattice page; a click on a node
// appends the factor algebra by that congruence or the subalgebra on that
// subuniverse.
#pragma once

#include <cstdint>
#include <string>

#include "commands/repaint.h"
#include "core/workspace.h"

namespace kest {

// The diagram's workspace, built (with its layout) on first use; null when nothing was
// listed, when the algebra it belongs to has changed size or gone, or when
// the lattice is too large to tabulate.
Workspace* computedLatticeDrawing(Workspace& ws);

// "C3" or "S3".
std::string computedLatticeLabel(const Workspace& ws, int32_t i);

// Appends A/theta (as mode f does) or the subalgebra (as Sg does) for
// element i of the last listed lattice; false when it no longer fits the
// algebra.
bool appendFromComputedLattice(Workspace& ws, int32_t i);

// The page's mouse: a press, and a release that either drags a vertex or,
// where the pointer barely moved, clicks the node under it.
Repaint computedLatticeRelease(Workspace& ws, int32_t x, int32_t y);

}  // namespace kest
