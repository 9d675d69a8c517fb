// Making and inspecting term nodes. makeNode normalises shallowly: x op x
// is x for an idempotent op, and for a commutative op the first of x op y
// and y op x ever made is the node for both.
#pragma once

#include <cstdint>

#include "core/workspace.h"

namespace kest {

// The node for op applied to left (and right, for a binary op).
int32_t makeNode(Workspace& ws, int32_t op, int32_t left, int32_t right);

// 1 when node t is u or a subterm of u.
int32_t occursIn(const Workspace& ws, int32_t t, int32_t u);

}  // namespace kest
