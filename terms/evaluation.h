// Evaluating terms and formulas in one algebra of the store under an
// assignment: one integer per variable a..z, -1 where unassigned.
// Undefined table entries propagate as -1.
#pragma once

#include <array>
#include <cstdint>

#include "core/workspace.h"

namespace kest {

using Assignment = std::array<int32_t, kVariableCount>;

// The value of term t in algebra k, or -1. Walks the term recursively.
int32_t evaluateTerm(const Workspace& ws, int32_t k, int32_t t, const Assignment& s);

// The truth (0 or 1) of formula f of the pool; inside a formula two
// undefined sides of an equation count as equal.
int32_t formulaTruth(const Workspace& ws, int32_t k, int32_t f, const Assignment& s);

// 1 when variable v occurs in an equation inside formula f.
int32_t formulaUsesVariable(const Workspace& ws, int32_t v, int32_t f);

}  // namespace kest
