// One algebra as decimal text: its card, then the NB*n + NU table rows in
// table order, then the constants, every entry right-aligned in a field
// whose width depends only on the card (3 to 6 up to 100,000 elements, then
// wide enough for a blank before every entry). The single-algebra file
// holds exactly these lines after its header.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/workspace.h"

namespace kest {

// The field width for entries of an algebra of card n.
int32_t entryWidth(int32_t n);

// The lines of algebra k from the card line on (no line ends).
std::vector<std::string> algebraTextLines(const Workspace& ws, int32_t k);

}  // namespace kest
