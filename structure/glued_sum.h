// The glued ordinal sum of two lattices (B put on top of A, the top of A
// identified with the bottom of B), and the bottom and top of a lattice.
#pragma once

#include <cstdint>

#include "core/workspace.h"

namespace kest {

// The last element e in index order that lies below (above) the element
// found so far; the least (greatest) element of a lattice. 0 when empty.
int32_t latticeBottom(const AlgebraView& a);
int32_t latticeTop(const AlgebraView& a);

// Appends the glued sum of lattices a (below) and b (above): a keeps its
// numbering, the bottom of b becomes the top of a, and the other elements
// of b follow in their order. Returns the new algebra, or -1 when the
// store is full.
int32_t gluedOrdinalSum(Workspace& ws, int32_t a, int32_t b);

}  // namespace kest
