// Small text readers shared by the command executor, the term parsers and
// the file readers. They follow the workspace file's rules exactly, quirks included:
// readInteger has no digit check, and a trailing blank makes readIntegerList
// yield one more number (0).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace kest {

// Skips leading blanks, takes an optional '-', then folds every character up
// to the next blank or the end as value*10 + (code - '0'); "12x" reads 192.
// Arithmetic wraps in 32 bits instead of overflowing.
int32_t readInteger(std::string_view text);

// Reads blank-separated integers with readInteger into out (cleared first)
// and returns their count; "1 2 " yields 1, 2, 0.
int32_t readIntegerList(std::string_view text, std::vector<int32_t>& out);

// The text from its first character that is not a blank.
std::string_view skipBlanks(std::string_view text);

// Index of the bracket matching the one at index (pairs (), [] and {},
// opening brackets search forward, closing ones backward, nesting counted
// for the same pair), or -1.
int32_t matchBracket(std::string_view text, int32_t index);

// Whether path ends in extension (".svg"), letters in any case.
bool hasExtension(std::string_view path, std::string_view extension);

}  // namespace kest
