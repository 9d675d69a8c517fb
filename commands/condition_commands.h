// Maltsev conditions on the red-marked algebra, as message lines: a verdict
// line, then "Why: ..." for a failure or one line per witness term
// ("p(x,y,z) = TERM" in the current notation). The script verb
// maltsev COND [K], the Conditions menu and its panels all come here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "conditions/maltsev_conditions.h"
#include "core/input_mode.h"
#include "core/progress.h"
#include "core/workspace.h"

namespace kest {

// Condition c (kAll: every one, verdict lines first, then the terms) on
// algebra k, with bound or arity bound (ignored by a condition that takes
// none; outside its range it says so).
void conditionReport(Workspace& ws, int32_t k, Condition c, int32_t bound, Progress& progress);

// The input mode of the panel that asks for K, or nothing for a condition
// that takes none.
std::optional<InputMode> conditionPanelMode(Condition c);

// The menu's entry for c: its panel when it takes K, else the report on
// the red-marked algebra at once.
void runConditionCommand(Workspace& ws, Condition c, Progress& progress);

// The condition a command id names (kCommandFirstCondition + its place in
// the table), or null.
const ConditionInfo* conditionOfCommand(int32_t id);

}  // namespace kest
