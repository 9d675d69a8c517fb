// The plain free-algebra building blocks: the closure of a partial algebra
// with its merges, compressions and four nested loops per binary
// operation, and the free algebra in HSP(A) with a linear search for every
// new vector.
#pragma once

#include <cstdint>

#include "core/progress.h"
#include "core/workspace.h"

namespace kest::oracle {

bool closePartialAlgebraReference(Workspace& ws, int32_t k, Progress& progress);

// The size, or -1 for more than the (raised) limit; no tables.
int32_t freeInHspSizeReference(const Workspace& ws, int32_t n, int32_t k, int32_t stop);

}  // namespace kest::oracle
