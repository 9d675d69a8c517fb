// The search for a lattice embedding of lattice a into lattice b, or for
// an order-reversing one (join to meet, meet to join) when dual. The map
// found is the first in the lexicographic order of (map[0], map[1], ...).
#pragma once

#include <cstdint>
#include <vector>

#include "core/algebra_view.h"
#include "core/progress.h"

namespace kest {

// Fills map (card a entries, elements of b) and returns true when an
// embedding exists. Both algebras must be complete lattices.
bool findLatticeEmbedding(const AlgebraView& a, const AlgebraView& b, bool dual, std::vector<int32_t>& map,
                          Progress& progress = noProgress());

}  // namespace kest
