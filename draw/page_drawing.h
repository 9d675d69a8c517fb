// The one drawing routine of the view: it paints exactly one page, chosen
// in this order: Help, Info, the lattice drawing, the embedding drawing, or
// the normal page with the term and formula lists, the algebras, the
// message lines and the open input panel on top.
#pragma once

#include "core/workspace.h"
#include "draw/canvas.h"

namespace kest {

// Settles the panel's caret (a new panel puts it at the end of the text)
// and paints the current page.
void drawPage(Workspace& ws, Canvas& canvas);

void drawHelpPage(const Workspace& ws, Canvas& canvas);
void drawInfoPage(const Workspace& ws, Canvas& canvas);
void drawNormalPage(const Workspace& ws, Canvas& canvas);
void drawPanel(const InputPanel& panel, Canvas& canvas);

}  // namespace kest
