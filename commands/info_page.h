// The Info page: the signature's symbols with their arities and flags, and
// for every algebra whether it is complete and whether it is displayed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/workspace.h"

namespace kest {

struct PageText {
  std::string text;
  int32_t x = 0;
  int32_t y = 0;
};

// Every text item of the Info page with its position, line by line.
std::vector<PageText> infoPageItems(const Workspace& ws);

// The same page as lines, the items of one line joined by single blanks.
std::vector<std::string> infoPageLines(const Workspace& ws);

}  // namespace kest
