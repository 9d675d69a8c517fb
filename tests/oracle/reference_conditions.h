// The plain decision of Maltsev conditions on small algebras: every term
// operation of the arities needed, as a full table on A (the closure of
// the projections under the operations, no profiles), and the identities
// checked on those tables directly; chains by breadth first search over
// the ternary ones. Nothing when the clone is too large to list.
#pragma once

#include <cstdint>
#include <optional>

#include "conditions/maltsev_conditions.h"
#include "core/algebra_view.h"

namespace kest::oracle {

struct ReferenceVerdict {
  bool holds = false;
  int32_t least = 0;  // chain conditions that hold: the least n
};

std::optional<ReferenceVerdict> referenceCondition(const AlgebraView& a, Condition c, int32_t k);

}  // namespace kest::oracle
