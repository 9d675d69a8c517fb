#include "draw/page_files.h"

#include "draw/svg_export.h"
#include "draw/tikz_export.h"

namespace kest {

PictureFailure writePageFile(Workspace& ws, const std::string& path, int32_t width, int32_t height,
                             RasterWriter raster) {
  auto written = [](bool ok) { return ok ? PictureFailure::kNone : PictureFailure::kCouldNotWrite; };
  if (isTexPath(path)) return pageTikz(ws) ? written(writePageTikz(ws, path)) : PictureFailure::kNoHasseDiagram;
  if (isSvgPath(path)) return written(writePageSvg(ws, path, width, height));
  if (!raster) return PictureFailure::kOnlyVectorFormats;
  return written(raster(ws, path, width, height));
}

}  // namespace kest
