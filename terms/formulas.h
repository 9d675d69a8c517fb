// Adding and deleting named terms and listed formulas. Callers validate
// formula numbers first; each change ends with relayout.
#pragma once

#include <cstdint>
#include <vector>

#include "core/workspace.h"

namespace kest {

// Appends t as the next named term; nothing when 25 exist.
void addNamedTerm(Workspace& ws, int32_t t);
void addEquation(Workspace& ws, int32_t left, int32_t right);
// Groups to the left: ((j0 & j1) & j2) & ...; only the last entry is listed.
void addConjunction(Workspace& ws, const std::vector<int32_t>& numbers);
void addDisjunction(Workspace& ws, const std::vector<int32_t>& numbers);
void addImplication(Workspace& ws, int32_t i, int32_t j);
void addEquivalence(Workspace& ws, int32_t i, int32_t j);
void addNegation(Workspace& ws, int32_t i);

// Removing from the lists renumbers the later entries; nodes and the pool
// keep everything. Both clear the message lines.
void deleteNamedTerm(Workspace& ws, int32_t i);
void deleteFormula(Workspace& ws, int32_t j);

}  // namespace kest
