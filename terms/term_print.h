// Printing terms and formulas. Infix puts every compound subterm in
// parentheses and writes the operation '.' as juxtaposition; where a whole
// term is shown, one outer pair is stripped. Polish needs no parentheses.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/workspace.h"

namespace kest {

std::string printTermPolish(const Workspace& ws, int32_t t);
std::string printTermInfix(const Workspace& ws, int32_t t);

// Removes one outer pair of parentheses when the first one closes last.
std::string stripOuterParentheses(std::string text);

// A whole term in the given notation, stripped.
std::string printWholeTerm(const Workspace& ws, int32_t t, bool polish);

// The same, cut after most characters (then ending in "..."), for terms
// whose shared subterms would print too long.
std::string printWholeTermUpTo(const Workspace& ws, int32_t t, bool polish, size_t most);

// Formula f of the pool; equations as "left=right", connectives with the
// operators " & ", " V ", " -> ", " <-> " and a leading "!".
std::string printFormula(const Workspace& ws, int32_t f, bool polish);

// The listing lines of the normal page: "A   term" per named term, then
// "E0  formula" per listed formula, in the workspace's notation.
std::vector<std::string> listingLines(const Workspace& ws);

}  // namespace kest
