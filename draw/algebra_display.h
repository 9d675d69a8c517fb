// Drawing one algebra: a hidden one as a labelled box, a displayed one with
// every operation table, the complete mark left of the box, red and green
// edges for the marks.
#pragma once

#include <cstdint>

#include "core/workspace.h"
#include "draw/canvas.h"

namespace kest {

void drawAlgebra(const Workspace& ws, int32_t k, Canvas& canvas);

}  // namespace kest
