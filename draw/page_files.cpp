#include "draw/page_files.h"

#include "draw/svg_export.h"
#include "draw/tikz_export.h"

namespace kest {

std::string writePageFile(Workspace& ws, const std::string& path, int32_t width, int32_t height, RasterWriter raster) {
  const std::string failed = "Could not write " + path;
  if (isTexPath(path)) {
    if (!pageTikz(ws)) return failed + ": this page has no Hasse diagram";
    return writePageTikz(ws, path) ? "" : failed;
  }
  if (isSvgPath(path)) return writePageSvg(ws, path, width, height) ? "" : failed;
  if (!raster) return failed + ": this build writes only SVG (.svg) and TikZ (.tex)";
  return raster(ws, path, width, height) ? "" : failed;
}

}  // namespace kest
