// The lattice page (the Hasse diagram of the red-marked semilattice) and
// the embedding page (two lattices side by side, red lines from each
// element of the first to its image in the second, and the map's lines).
#pragma once

#include "core/workspace.h"
#include "draw/canvas.h"

namespace kest {

// What the lattice and embedding pages show, with missing coordinates
// computed (so the workspace may change); the TikZ export reads the same.
// The lattice page: the red-marked algebra's drawing kind, -1 when it has
// no diagram. The embedding page: the search's result for the marked
// lattices, null when they are not two lattices.
int32_t prepareLatticePage(Workspace& ws);
const EmbeddingSearchMemo* prepareEmbeddingPage(Workspace& ws);

// Computes missing coordinates first, so the workspace may change.
void drawLatticeMode(Workspace& ws, Canvas& canvas);
void drawEmbeddingMode(Workspace& ws, Canvas& canvas);
// The Hasse diagram of the last listed Con(A) or Sub(A), nodes labelled
// C0, C1, ... (or S0, ...) where the labels fit, join irreducibles filled,
// and the page's notice line at its top.
void drawComputedLatticeMode(Workspace& ws, Canvas& canvas);

}  // namespace kest
