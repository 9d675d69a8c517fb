// The current page written to a file, chosen by the file's ending: SVG
// (".svg"), TikZ of the page's Hasse diagram (".tex"), or a raster image
// through a painter the caller gives (the window's, or script mode's when
// built with Qt). The window's File > Export picture and the draw verb
// both come here.
#pragma once

#include <cstdint>
#include <string>

#include "commands/picture_messages.h"
#include "core/workspace.h"

namespace kest {

using RasterWriter = bool (*)(Workspace& ws, const std::string& path, int width, int height);

// kNone when the file was written; otherwise why not (the message line
// is commands/picture_messages.h's).
PictureFailure writePageFile(Workspace& ws, const std::string& path, int32_t width, int32_t height,
                             RasterWriter raster = nullptr);

}  // namespace kest
