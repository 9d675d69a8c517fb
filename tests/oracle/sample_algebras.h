// Algebras whose Con and Sub are known, for tests and benchmarks: products
// of chains as lattices, powers of the two-element semilattice, Boolean
// lattices and cyclic groups. Each is appended to ws (whose signature
// must offer the operations named) and its number returned.
#pragma once

#include <cstdint>
#include <vector>

#include "core/workspace.h"

namespace kest::oracle {

// The product of chains of the given lengths, join and meet as the first
// two binary operations (signature "L"). Elements are numbered in mixed
// radix, the first chain slowest; shuffle renumbers them at random.
int32_t addChainProductLattice(Workspace& ws, const std::vector<int32_t>& lengths, uint32_t shuffle = 0);

// {0,1}^k under meet (bitwise and), the first binary operation.
int32_t addSemilatticePower(Workspace& ws, int32_t k);

// {0,1}^k under join and meet (signature "L").
int32_t addBooleanLattice(Workspace& ws, int32_t k);

// Z_n under +, the first binary operation.
int32_t addCyclicSum(Workspace& ws, int32_t n);

}  // namespace kest::oracle
