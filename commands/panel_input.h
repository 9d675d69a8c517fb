// Keys and mouse while the input panel is open: editing the fields,
// choosing a field, moving the panel, and Enter, which closes the panel
// and runs the input mode.
#pragma once

#include <cstdint>

#include "commands/repaint.h"
#include "core/progress.h"
#include "core/workspace.h"

namespace kest {

// A panel built with caretToEnd set puts the caret at the end of its
// current field before it is drawn or typed into.
void settleCaret(InputPanel& panel);

Repaint panelKey(Workspace& ws, int32_t key, Progress& progress = noProgress());
Repaint panelPress(Workspace& ws, int32_t x, int32_t y);
Repaint panelMove(Workspace& ws, int32_t x, int32_t y);
Repaint panelRelease(Workspace& ws, int32_t x, int32_t y);

}  // namespace kest
