// The factor of an algebra by a partition: blocks numbered in the order of
// their least elements, every defined entry written at its arguments'
// blocks (the last one written wins where they disagree).
#pragma once

#include <cstdint>
#include <vector>

#include "core/workspace.h"
#include "structure/partition.h"

namespace kest {

// Appends the factor of k by p and returns its index; -1 when the store
// is full. The new table starts as a new algebra's (idempotent diagonals
// filled), or, with allUndefined, with every entry undefined, so that only
// what k's entries write is defined. block, when given, receives the new
// element of every old one.
int32_t appendFactor(Workspace& ws, int32_t k, const Partition& p, bool allUndefined = false,
                     std::vector<int32_t>* block = nullptr);

}  // namespace kest
