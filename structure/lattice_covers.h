// The covering pairs of a listed Con(A) or Sub(A), found without the
// algebra. In a finite lattice x <= y exactly when every join irreducible
// element below x is below y, so each element becomes the set of join
// irreducibles below it (J bits), and the order is a subset test on those.
// The elements above x that lie above no other element above x are its
// upper covers. Cost about N*J tests of the listing, N*N*J/64 word
// operations and N*N*c/64 for c covers per element: well under a second
// for the 4096 elements a page draws.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "core/progress.h"
#include "structure/lattice_listing.h"

namespace kest {

// (lower, upper) pairs of element numbers, by lower element, then upper;
// nothing when stopped.
using CoverPairs = std::vector<std::pair<int32_t, int32_t>>;
std::optional<CoverPairs> latticeCovers(const LatticeListing& l, Progress& progress);

}  // namespace kest
