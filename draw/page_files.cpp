#include "draw/page_files.h"

#include <algorithm>

#include "commands/computed_lattice_page.h"
#include "draw/svg_export.h"
#include "draw/tikz_export.h"

namespace kest {

namespace {

// The diagram of Con(A) or Sub(A) goes into a picture whole, however the
// view is scrolled: the picture grows to its extent.
class WholeDiagram {
 public:
  WholeDiagram(Workspace& ws, int32_t& width, int32_t& height) {
    d_ = ws.computedLatticeShown ? ws.lastLattice.diagram.get() : nullptr;
    if (!d_ || !ws.lastLattice.listing) {
      d_ = nullptr;
      return;
    }
    const DiagramGeometry g = latticeDiagramGeometry(ws, *d_);
    width = std::max(width, g.width);
    height = std::max(height, g.height);
    scrollX_ = d_->scrollX;
    scrollY_ = d_->scrollY;
    d_->scrollX = d_->scrollY = 0;
  }
  ~WholeDiagram() {
    if (!d_) return;
    d_->scrollX = scrollX_;
    d_->scrollY = scrollY_;
  }

 private:
  LatticeDiagram* d_ = nullptr;
  int32_t scrollX_ = 0;
  int32_t scrollY_ = 0;
};

}  // namespace

PictureFailure writePageFile(Workspace& ws, const std::string& path, int32_t width, int32_t height,
                             RasterWriter raster) {
  auto written = [](bool ok) { return ok ? PictureFailure::kNone : PictureFailure::kCouldNotWrite; };
  if (isTexPath(path)) return pageTikz(ws) ? written(writePageTikz(ws, path)) : PictureFailure::kNoHasseDiagram;
  const WholeDiagram whole(ws, width, height);
  if (isSvgPath(path)) return written(writePageSvg(ws, path, width, height));
  if (!raster) return PictureFailure::kOnlyVectorFormats;
  // A picture larger than this (a diagram of thousands of elements) is cut
  // at its right and bottom: its pixels would take more than a gigabyte.
  constexpr int32_t kMostRasterSide = 16384;
  return written(raster(ws, path, std::min(width, kMostRasterSide), std::min(height, kMostRasterSide)));
}

}  // namespace kest
