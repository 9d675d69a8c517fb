// Whether the term operations of a complete two-element algebra are all
// operations on {0, 1}. By Post's criterion this holds exactly when, for
// each of the five maximal clones (operations keeping 0, keeping 1,
// self-dual, monotone, affine), some basic operation (constants included)
// lies outside it. Then the free algebra on n >= 1 generators in the
// variety is the whole power, with 2^(2^n) elements, and the closure that
// would enumerate them can be skipped when only the size is wanted.
#pragma once

#include <cstdint>

#include "core/algebra_view.h"

namespace kest {

// False for an algebra that is not a complete two-element one.
bool isFunctionallyComplete(const AlgebraView& a);

}  // namespace kest
