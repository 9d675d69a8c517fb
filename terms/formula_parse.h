// Reading a formula back from its Polish print: equations "L=R" of Polish
// terms, joined by " & ", " V ", " -> " or " <-> ", "!" in front of a
// negated operand, parentheses around compound operands. A chain of one
// conjunction or disjunction groups to the left, as the builders make it.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/workspace.h"

namespace kest {

// Adds the formula's entries to the pool and returns the id of the whole,
// or -1 when the text is no such print (the pool may keep unused entries).
int32_t parseFormulaPolish(Workspace& ws, std::string_view text);

}  // namespace kest
