// The reports of the keys that test the listed formulas on an algebra:
// s (which formulas hold, with the first counterexample), u (completion
// by the equations) and r (the reconstructible places).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/progress.h"
#include "core/workspace.h"
#include "terms/satisfaction.h"

namespace kest {

// The lines of key s: "E0   satisfied", "E12  not satisfied: x=b y=a ".
std::vector<std::string> satisfactionLines(const Workspace& ws, const SatisfactionResult& result);

// Key s: checks and writes the report (or the refusal, or "Interrupted").
void satisfactionReport(Workspace& ws, int32_t k, Progress& progress);

// Key u: runs the completion and writes "Last input O.K." or "Last input
// contradictory".
void completionReport(Workspace& ws, int32_t k, Progress& progress);

// Key r: the places the formulas force, or their complement (or no line).
void reconstructionReport(Workspace& ws, int32_t k, Progress& progress);

}  // namespace kest
