// Whether an algebra satisfies formulas: every assignment of the variables
// occurring in a formula is tried in odometer order (the alphabetically
// first variable slowest) and the first failing one is the counterexample.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/progress.h"
#include "core/workspace.h"
#include "terms/evaluation.h"
#include "terms/formula_program.h"

namespace kest {

// The variables occurring in formula f, in increasing order.
std::vector<int32_t> occurringVariables(const Workspace& ws, int32_t f);

// Decides whether algebra k satisfies formula f of the pool. s is set to -1
// for variables not in f; on kNotSatisfied it holds the first
// counterexample. A top-level equation fails where its sides differ or its
// left side is undefined.
Verdict satisfies(const Workspace& ws, int32_t k, int32_t f, Assignment& s, Progress& progress);

struct FormulaCheck {
  bool satisfied = true;
  Assignment counterexample{};
};

struct SatisfactionResult {
  bool incomplete = false;           // the algebra is partial: nothing was checked
  bool interrupted = false;          // the user stopped the check
  std::vector<FormulaCheck> checks;  // one per listed formula
};

// Checks every listed formula in algebra k (only when k is complete).
SatisfactionResult checkListedFormulas(const Workspace& ws, int32_t k, Progress& progress);

}  // namespace kest
