// A layered drawing placed on the page: node centres in page units, each
// cover as a polyline, and which labels fit. The layout's units are
// stretched to use the view (never squeezed below them, so that at zoom 1
// the rows keep the room their labels were given) and then zoomed.
//
// Discs have radius kNodeRadius; a label is text 7 units a character and
// 14 high, its top-left corner kLabelDx right of and 7 above the centre.
// A label is drawn only where its box meets no other label and no disc.
// A cover runs straight between neighbouring levels unless that line
// would touch another disc there; then it leaves and enters its ends
// vertically, kStub of the level gap away, and the slanted part runs
// strictly between the levels, where no disc is.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/input_panel.h"
#include "structure/layered_layout.h"

namespace kest {

inline constexpr int32_t kNodeRadius = 4;
inline constexpr int32_t kLabelDx = 7;
inline constexpr int32_t kLabelHeight = 14;
inline constexpr int32_t kCharWidth = 7;
inline constexpr int32_t kDiagramMargin = 40;
// Room above the diagram for the page's notice line.
inline constexpr int32_t kDiagramTop = 40;

struct DiagramGeometry {
  std::vector<PagePoint> nodes;                // per element
  std::vector<std::vector<PagePoint>> covers;  // per cover of the layout, lower end first
  std::vector<uint8_t> labelShown;             // per element
  int32_t width = 0;                           // the page extent
  int32_t height = 0;
  double scaleX = 1;   // page units per layout unit
  double offsetX = 0;  // the page x of layout x 0
  double levelGap = 0;
};

// labels[i] is element i's label (only its length counts); labels are
// left out altogether when showLabels is false.
DiagramGeometry diagramGeometry(const LayeredLayout& layout, const std::vector<std::string>& labels, bool showLabels,
                                int32_t viewWidth, int32_t viewHeight, double zoom);

// The layout x of a page x (the inverse of the stretch), for dragging.
double layoutX(const DiagramGeometry& g, int32_t pageX);

}  // namespace kest
