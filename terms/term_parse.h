// The two term notations. Infix: binary symbols inside, one precedence,
// grouping to the left; juxtaposition (the operation '.') binds tighter;
// unary symbols are prefix and bind tightest. Polish: every symbol in front,
// no parentheses. Variables are a..z; A, B, ... are the named terms.
// A text that does not parse gives -1 (it may leave unused nodes behind).
#pragma once

#include <cstdint>
#include <string_view>

#include "core/workspace.h"

namespace kest {

int32_t parseTermPolish(Workspace& ws, std::string_view text);
int32_t parseTermInfix(Workspace& ws, std::string_view text);
// In the notation the workspace shows.
int32_t parseTerm(Workspace& ws, std::string_view text);

struct EquationSides {
  int32_t left = -1;
  int32_t right = -1;
  bool ok() const { return left >= 0 && right >= 0; }
};

// Splits at the first '=' and parses both sides in the current notation.
EquationSides parseEquation(Workspace& ws, std::string_view text);

}  // namespace kest
