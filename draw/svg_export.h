// The current page as an SVG file, painted as the view paints it.
#pragma once

#include <cstdint>
#include <string>

#include "core/workspace.h"

namespace kest {

// Whether path names an SVG file (ends in ".svg", any case).
bool isSvgPath(const std::string& path);

// False when the file cannot be written.
bool writePageSvg(Workspace& ws, const std::string& path, int32_t width, int32_t height);

}  // namespace kest
