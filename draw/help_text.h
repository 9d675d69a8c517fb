// The text of the Help page and where its lines stand.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kest {

const std::vector<std::string>& helpLines();

// The y of every line before scrolling: 15 below the previous line, or 20
// below it for the headings after the first.
std::vector<int32_t> helpLineYs();

}  // namespace kest
