// Rendering the current page to image files, exactly as the view paints
// it: a PNG through QPainter (headless on the offscreen platform when no
// display is there).
#pragma once

#include <string>

#include "core/workspace.h"

namespace kest {

// Paints the page into a width by height image and writes it as PNG.
// False when the file cannot be written.
bool writePagePng(Workspace& ws, const std::string& path, int width, int height);

}  // namespace kest
