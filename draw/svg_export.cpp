#include "draw/svg_export.h"

#include <cctype>
#include <fstream>

#include "draw/page_drawing.h"
#include "draw/svg_canvas.h"

namespace kest {

bool isSvgPath(const std::string& path) {
  if (path.size() < 4) return false;
  std::string ext = path.substr(path.size() - 4);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == ".svg";
}

bool writePageSvg(Workspace& ws, const std::string& path, int32_t width, int32_t height) {
  SvgCanvas canvas(width, height);
  drawPage(ws, canvas);
  std::ofstream out(path, std::ios::binary);
  out << canvas.svg();
  out.close();
  return out.good();
}

}  // namespace kest
