// The message lines of the Maltsev conditions: the verdict, why it fails,
// and the witness terms, written from the results of conditions/.
#pragma once

#include <string>
#include <vector>

#include "conditions/maltsev_conditions.h"
#include "core/workspace.h"

namespace kest {

// "A0 has a Maltsev term", "A0 is 3-permutable", "A0 has no majority term",
// "A0 is not n-permutable for n <= 10", "Could not decide: ...".
std::string verdictLine(const ConditionResult& r, int32_t k);

// "Why: ..." for a failure (empty otherwise).
std::string reasonLine(const Workspace& ws, const ConditionResult& r, int32_t k);

// "p(x,y,z) = TERM" for every witness, in the workspace's notation; the
// terms become nodes of the workspace's term table.
std::vector<std::string> termLines(Workspace& ws, const ConditionResult& r);

// "The answers contradict maltsev => modular, ..." or empty.
std::string contradictionLine(const std::vector<std::pair<Condition, Condition>>& contradictions);

}  // namespace kest
