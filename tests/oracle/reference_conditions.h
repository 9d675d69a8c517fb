// The plain decision of Maltsev conditions on small algebras: every term
// operation of the arities needed, as a full table on A (the closure of
// the projections under the operations, no profiles), and the identities
// checked on those tables directly; chains by breadth first search over
// the ternary ones. Nothing when the clone is too large to list.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "conditions/maltsev_conditions.h"
#include "core/algebra_view.h"

namespace kest::oracle {

struct ReferenceVerdict {
  bool holds = false;
  int32_t least = 0;  // chain conditions that hold: the least n
};

std::optional<ReferenceVerdict> referenceCondition(const AlgebraView& a, Condition c, int32_t k);

// Whether id(x, y, z) holds for all x, y, z below n.
bool always(int32_t n, const std::function<bool(int32_t, int32_t, int32_t)>& id);

// k arguments, all x but y at place i.
std::vector<int32_t> yAt(int32_t k, int32_t i, int32_t x, int32_t y);

}  // namespace kest::oracle
