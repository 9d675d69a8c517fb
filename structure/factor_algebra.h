// The factor of an algebra by a partition: blocks numbered in the order of
// their least elements, every defined entry written at its arguments'
// blocks (the last one written wins where they disagree).
#pragma once

#include <cstdint>

#include "core/workspace.h"
#include "structure/partition.h"

namespace kest {

// Appends the factor of k by p and returns its index; -1 when the store
// is full.
int32_t appendFactor(Workspace& ws, int32_t k, const Partition& p);

}  // namespace kest
