// The steps the embedding search is built from, shared by the search
// (structure/embedding_search.cpp) and the rest of structure/embedding.cpp.
#pragma once

#include <cstdint>
#include <vector>

#include "core/algebra_view.h"

namespace kest {

// Extends a partial map (one entry per element of A, -1 unmapped) as far
// as the operations force: every newly mapped x is combined with every
// mapped y in both orders. False on a conflict or a value undefined in B.
bool propagate(const AlgebraView& A, const AlgebraView& B, std::vector<int32_t>& map);

// Sends every defined constant's value in A to its value in B; false when
// one is undefined in B or the map already sends that value elsewhere. A
// constant undefined in A is passed over, or refused when strict.
bool mapConstants(const AlgebraView& A, const AlgebraView& B, std::vector<int32_t>& map, bool strict);

}  // namespace kest
