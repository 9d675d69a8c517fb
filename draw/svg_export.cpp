#include "draw/svg_export.h"

#include <fstream>

#include "core/text_routines.h"
#include "draw/page_drawing.h"
#include "draw/svg_canvas.h"

namespace kest {

bool isSvgPath(const std::string& path) { return hasExtension(path, ".svg"); }

bool writePageSvg(Workspace& ws, const std::string& path, int32_t width, int32_t height) {
  SvgCanvas canvas(width, height);
  drawPage(ws, canvas);
  std::ofstream out(path, std::ios::binary);
  out << canvas.svg();
  out.close();
  return out.good();
}

}  // namespace kest
