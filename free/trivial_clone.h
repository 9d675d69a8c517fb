// Free algebras in HSP(A) that hold nothing but the projections and the
// constants: every basic operation, taken on projections and constant
// values, gives again a projection or a constant value. Then the free
// algebra on n >= 1 generators of an algebra of two or more elements has
// exactly n + (the number of distinct constant values) elements, and else
// more; both are known, and its tables built, without a vector of m^n
// entries.
#pragma once

#include <cstdint>

#include "core/workspace.h"

namespace kest {

// a complete with at least two elements, n >= 1.
bool onlyProjectionsAndConstants(const AlgebraView& a, int32_t n);

// The number of distinct values of the constants of k.
int32_t distinctConstantValues(const AlgebraView& a);

// When onlyProjectionsAndConstants holds: appends the free algebra on n
// generators, its elements in the order the closure finds them (the
// generators, then each constant value where it first occurs). Its index,
// or -1 when the store is full.
int32_t appendProjectionsAndConstants(Workspace& ws, int32_t k, int32_t n);

}  // namespace kest
