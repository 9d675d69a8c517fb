#include "structure/diagram_geometry.h"

#include <algorithm>
#include <cmath>

namespace kest {

namespace {

constexpr double kMostStretch = 3.0;
constexpr double kLeastLevelGap = 48;
constexpr double kMostLevelGap = 160;
// A line this close to a disc's centre touches it.
constexpr double kTouch = kNodeRadius + 1.5;

double distanceToSegment(PagePoint c, PagePoint a, PagePoint b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 == 0 ? 0 : ((c.x - a.x) * dx + (c.y - a.y) * dy) / length2;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(a.x + t * dx - c.x, a.y + t * dy - c.y);
}

// The elements of every level, by their page x.
class LevelDiscs {
 public:
  LevelDiscs(const LayeredLayout& layout, const std::vector<PagePoint>& at) : at_(at) {
    rows_.assign(static_cast<size_t>(layout.levels), {});
    for (int32_t v = 0; v < layout.count; ++v)
      rows_[static_cast<size_t>(layout.level[static_cast<size_t>(v)])].push_back(v);
    for (std::vector<int32_t>& row : rows_) {
      std::sort(row.begin(), row.end(),
                [&](int32_t a, int32_t b) { return at_[static_cast<size_t>(a)].x < at_[static_cast<size_t>(b)].x; });
    }
  }

  const std::vector<int32_t>& row(int32_t l) const { return rows_[static_cast<size_t>(l)]; }

  // Whether segment a-b touches a disc of level l whose centre lies
  // between x0 and x1, other than the vertices a and b themselves.
  bool touches(int32_t l, double x0, double x1, PagePoint a, PagePoint b, int32_t va, int32_t vb) const {
    const std::vector<int32_t>& r = row(l);
    const double low = std::min(x0, x1) - kTouch;
    const double high = std::max(x0, x1) + kTouch;
    auto it = std::lower_bound(r.begin(), r.end(), low,
                               [&](int32_t v, double x) { return at_[static_cast<size_t>(v)].x < x; });
    for (; it != r.end() && at_[static_cast<size_t>(*it)].x <= high; ++it) {
      if (*it != va && *it != vb && distanceToSegment(at_[static_cast<size_t>(*it)], a, b) < kTouch) return true;
    }
    return false;
  }

 private:
  const std::vector<PagePoint>& at_;
  std::vector<std::vector<int32_t>> rows_;
};

// Labels left to right on each level: one is drawn when its box ends
// before the next disc on its level (the next label starts beyond that).
void placeLabels(DiagramGeometry& g, const LevelDiscs& discs, int32_t levels, const std::vector<std::string>& labels) {
  if (g.levelGap < kLabelHeight + 2 * kNodeRadius + 2 && levels > 1) return;
  for (int32_t l = 0; l < levels; ++l) {
    const std::vector<int32_t>& row = discs.row(l);
    for (size_t i = 0; i < row.size(); ++i) {
      const size_t v = static_cast<size_t>(row[i]);
      const int32_t right = g.nodes[v].x + kLabelDx + kCharWidth * static_cast<int32_t>(labels[v].size());
      const bool room = i + 1 == row.size() || right < g.nodes[static_cast<size_t>(row[i + 1])].x - kNodeRadius - 1;
      g.labelShown[v] = room ? 1 : 0;
    }
  }
}

// Cover c as a polyline through its dummies, each step between
// neighbouring levels straight where it touches no other disc.
std::vector<PagePoint> coverLine(const LayeredLayout& layout, size_t c, const std::vector<PagePoint>& at,
                                 const LevelDiscs& discs, double stub) {
  std::vector<int32_t> chain{layout.covers[c].first};
  chain.insert(chain.end(), layout.bends[c].begin(), layout.bends[c].end());
  chain.push_back(layout.covers[c].second);
  std::vector<PagePoint> line{at[static_cast<size_t>(chain[0])]};
  for (size_t i = 0; i + 1 < chain.size(); ++i) {
    const int32_t va = chain[i];
    const int32_t vb = chain[i + 1];
    const PagePoint a = at[static_cast<size_t>(va)];
    const PagePoint b = at[static_cast<size_t>(vb)];
    const int32_t l = layout.level[static_cast<size_t>(va)];
    // Only the stretch within reach of a level's discs can touch them.
    const double gap = std::max(1, a.y - b.y);
    const double reach = std::min(1.0, (kTouch + 1) / gap) * (b.x - a.x);
    const bool touches =
        discs.touches(l, a.x, a.x + reach, a, b, va, vb) || discs.touches(l + 1, b.x - reach, b.x, a, b, va, vb);
    if (touches) {
      line.push_back({a.x, a.y - static_cast<int32_t>(stub)});
      line.push_back({b.x, b.y + static_cast<int32_t>(stub)});
    }
    line.push_back(b);
  }
  return line;
}

}  // namespace

DiagramGeometry diagramGeometry(const LayeredLayout& layout, const std::vector<std::string>& labels, bool showLabels,
                                int32_t viewWidth, int32_t viewHeight, double zoom) {
  DiagramGeometry g;
  double widest = 1;
  for (double x : layout.x) widest = std::max(widest, x);
  const double usable = std::max(1, viewWidth - 2 * kDiagramMargin - 60);
  g.scaleX = std::clamp(usable / widest, 1.0, kMostStretch) * zoom;
  const int32_t levels = std::max(layout.levels, 1);
  const double tall = std::max(1, viewHeight - kDiagramTop - kDiagramMargin);
  g.levelGap = (levels > 1 ? std::clamp(tall / (levels - 1), kLeastLevelGap, kMostLevelGap) : kLeastLevelGap) * zoom;
  // A diagram narrower than the view stands in its middle.
  g.offsetX = std::max<double>(kDiagramMargin, (viewWidth - widest * g.scaleX) / 2);
  std::vector<PagePoint> at(layout.level.size());
  for (size_t v = 0; v < at.size(); ++v) {
    at[v] = {static_cast<int32_t>(std::lround(g.offsetX + layout.x[v] * g.scaleX)),
             kDiagramTop + static_cast<int32_t>(std::lround((levels - 1 - layout.level[v]) * g.levelGap))};
  }
  g.nodes.assign(at.begin(), at.begin() + layout.count);
  g.labelShown.assign(static_cast<size_t>(layout.count), 0);
  const LevelDiscs discs(layout, at);
  if (showLabels) placeLabels(g, discs, layout.levels, labels);
  const double stub = std::max<double>(kNodeRadius + 2, g.levelGap / 4);
  for (size_t c = 0; c < layout.covers.size(); ++c) g.covers.push_back(coverLine(layout, c, at, discs, stub));
  int32_t right = 0;
  for (int32_t v = 0; v < layout.count; ++v) {
    const int32_t label = g.labelShown[static_cast<size_t>(v)]
                              ? kLabelDx + kCharWidth * static_cast<int32_t>(labels[static_cast<size_t>(v)].size())
                              : 0;
    right = std::max(right, g.nodes[static_cast<size_t>(v)].x + kNodeRadius + label);
  }
  for (const PagePoint& p : at) right = std::max(right, p.x);
  g.width = right + kDiagramMargin;
  g.height = kDiagramTop + static_cast<int32_t>(std::lround((levels - 1) * g.levelGap)) + kDiagramMargin;
  return g;
}

double layoutX(const DiagramGeometry& g, int32_t pageX) { return (pageX - g.offsetX) / g.scaleX; }

}  // namespace kest
