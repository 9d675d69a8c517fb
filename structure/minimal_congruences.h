// The minimal congruences (atoms of the congruence lattice) of a complete
// algebra: the principal congruences Cg(a, b) that have no principal
// congruence strictly below them, each once, in the order of the first
// pair (a, b) (a ascending, then b) that generates it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/algebra_view.h"
#include "core/progress.h"
#include "structure/partition.h"

namespace kest {

// Nothing when the user stopped the search. Memory: the candidates only,
// never all principal congruences at once.
std::optional<std::vector<Partition>> minimalCongruences(const AlgebraView& a, Progress& progress = noProgress());

}  // namespace kest
