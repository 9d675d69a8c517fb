// Element names: 0..25 are a..z, 26..51 A..Z, 52..61 the digits 0..9 (only
// while no digit is a constant symbol). Larger elements have no one-character
// name and are written in messages as their index in square brackets.
#pragma once

#include <cstdint>
#include <string>

namespace kest {

// The name of element e, or '.' when it has none (also for -1, undefined).
char nameOfElement(int32_t e, int32_t maxNamedElements);

// The element named by c, or -1; callers compare the result with the card.
int32_t elementOfName(char c, int32_t maxNamedElements);

// Appends e's name, or "[e]" for elements at or above maxNamedElements.
void appendElementText(std::string& out, int32_t e, int32_t maxNamedElements);

// "x -> y" for a map sending element x to element y.
std::string mapLine(int32_t x, int32_t y, int32_t maxNamedElements);

}  // namespace kest
