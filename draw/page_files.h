// The current page written to a file, chosen by the file's ending: SVG
// (".svg"), TikZ of the page's Hasse diagram (".tex"), or a raster image
// through a painter the caller gives (the window's, or script mode's when
// built with Qt). The window's File > Export picture and the draw verb
// both come here.
#pragma once

#include <cstdint>
#include <string>

#include "core/workspace.h"

namespace kest {

using RasterWriter = bool (*)(Workspace& ws, const std::string& path, int width, int height);

// "" when the file was written; otherwise the message line that says why
// not ("Could not write x.tex: this page has no Hasse diagram").
std::string writePageFile(Workspace& ws, const std::string& path, int32_t width, int32_t height,
                          RasterWriter raster = nullptr);

}  // namespace kest
