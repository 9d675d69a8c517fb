// Con(A) of an algebra of at most 16 elements, its partitions packed in a
// word each (structure/packed_partitions.h): the same lattice, the same
// list, as the rows of bytes larger algebras use, several times faster.
#pragma once

#include <cstdint>
#include <vector>

#include "core/progress.h"
#include "structure/congruence_lattice.h"

namespace kest {

// principals in a linear extension; n <= kMostPackedElements.
LatticeResult closePackedCongruences(const std::vector<Partition>& principals, int32_t n, int64_t stop,
                                     Progress& progress);

}  // namespace kest
