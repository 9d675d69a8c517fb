// The Con and Sub pages as exported SVG, counted the way a reader would
// look at them: no two node discs overlap, no two labels overlap each
// other or a disc, no cover passes through a disc it does not join, and
// every covering pair is drawn exactly once.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "commands/computed_lattice_page.h"
#include "commands/con_sub_commands.h"
#include "core/algebra_store.h"
#include "draw/svg_export.h"
#include "structure/lattice_listing.h"
#include "tests/oracle/random_inputs.h"
#include "tests/oracle/reference_lattices.h"
#include "tests/oracle/sample_algebras.h"
#include "tests/oracle/test_progress.h"

namespace kest {
namespace {

struct Disc {
  double x, y, r;
};
struct Box {
  double left, top, right, bottom;
};
struct Svg {
  std::vector<Disc> discs;
  std::vector<Box> labels;
  std::vector<std::vector<std::pair<double, double>>> lines;
};

// The value of attribute name in an SVG element's line ("" when absent).
// (std::regex would do, but GCC 12 warns inside it under the sanitizers.)
std::string attribute(const std::string& line, const std::string& name) {
  const size_t at = line.find(" " + name + "=\"");
  if (at == std::string::npos) return "";
  const size_t start = at + name.size() + 3;
  return line.substr(start, line.find('"', start) - start);
}

Svg parse(const std::string& text) {
  Svg svg;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("<ellipse", 0) == 0) {
      svg.discs.push_back(
          {std::stod(attribute(line, "cx")), std::stod(attribute(line, "cy")), std::stod(attribute(line, "rx"))});
    } else if (line.rfind("<text", 0) == 0) {
      const double x = std::stod(attribute(line, "x"));
      const double baseline = std::stod(attribute(line, "y"));
      svg.labels.push_back({x, baseline - 11, x + std::stod(attribute(line, "textLength")), baseline + 3});
    } else if (line.rfind("<polyline", 0) == 0) {
      std::vector<std::pair<double, double>> points;
      std::istringstream p(attribute(line, "points"));
      for (std::string xy; p >> xy;) {
        const size_t comma = xy.find(',');
        points.emplace_back(std::stod(xy.substr(0, comma)), std::stod(xy.substr(comma + 1)));
      }
      svg.lines.push_back(points);
    }
  }
  return svg;
}

bool overlap(const Box& a, const Box& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

double distanceToSegment(double cx, double cy, std::pair<double, double> a, std::pair<double, double> b) {
  const double dx = b.first - a.first;
  const double dy = b.second - a.second;
  const double length2 = dx * dx + dy * dy;
  const double t = length2 == 0 ? 0 : std::clamp(((cx - a.first) * dx + (cy - a.second) * dy) / length2, 0.0, 1.0);
  return std::hypot(a.first + t * dx - cx, a.second + t * dy - cy);
}

// Discs by a coarse grid, for the neighbourhood tests.
class Grid {
 public:
  explicit Grid(const std::vector<Disc>& discs) : discs_(discs) {
    for (size_t i = 0; i < discs.size(); ++i) cells_[key(discs[i].x, discs[i].y)].push_back(i);
  }
  template <class F>
  void near(double x0, double y0, double x1, double y1, F&& f) const {
    for (int64_t cx = cell(std::min(x0, x1)) - 1; cx <= cell(std::max(x0, x1)) + 1; ++cx) {
      for (int64_t cy = cell(std::min(y0, y1)) - 1; cy <= cell(std::max(y0, y1)) + 1; ++cy) {
        const auto it = cells_.find({cx, cy});
        if (it == cells_.end()) continue;
        for (size_t i : it->second) f(i);
      }
    }
  }

 private:
  static int64_t cell(double v) { return static_cast<int64_t>(std::floor(v / 16)); }
  static std::pair<int64_t, int64_t> key(double x, double y) { return {cell(x), cell(y)}; }
  const std::vector<Disc>& discs_;
  std::map<std::pair<int64_t, int64_t>, std::vector<size_t>> cells_;
};

struct Counts {
  size_t discOverlaps = 0;
  size_t labelOverlaps = 0;
  size_t linesThroughDiscs = 0;
  std::set<std::pair<int32_t, int32_t>> drawnCovers;
  size_t coverLines = 0;
  size_t labels = 0;
};

Counts count(const Svg& svg) {
  Counts c;
  const Grid grid(svg.discs);
  std::map<std::pair<double, double>, int32_t> centre;
  for (size_t i = 0; i < svg.discs.size(); ++i) {
    centre[{svg.discs[i].x, svg.discs[i].y}] = static_cast<int32_t>(i);
    grid.near(svg.discs[i].x, svg.discs[i].y, svg.discs[i].x, svg.discs[i].y, [&](size_t j) {
      if (j > i && std::hypot(svg.discs[i].x - svg.discs[j].x, svg.discs[i].y - svg.discs[j].y) <
                       svg.discs[i].r + svg.discs[j].r)
        ++c.discOverlaps;
    });
  }
  // Labels: the notice line at the top is text too, and takes part.
  for (size_t i = 0; i < svg.labels.size(); ++i) {
    for (size_t j = i + 1; j < svg.labels.size(); ++j) c.labelOverlaps += overlap(svg.labels[i], svg.labels[j]);
    const Box& b = svg.labels[i];
    grid.near(b.left, b.top, b.right, b.bottom, [&](size_t d) {
      const Disc& disc = svg.discs[d];
      c.labelOverlaps += overlap(b, {disc.x - disc.r, disc.y - disc.r, disc.x + disc.r, disc.y + disc.r});
    });
  }
  c.labels = svg.labels.size();
  for (const auto& line : svg.lines) {
    const auto from = centre.find(line.front());
    const auto to = centre.find(line.back());
    if (from == centre.end() || to == centre.end()) continue;
    ++c.coverLines;
    // Upper end first in the picture: y grows downwards.
    c.drawnCovers.insert({from->second, to->second});
    for (size_t s = 0; s + 1 < line.size(); ++s) {
      std::set<size_t> touched;
      grid.near(line[s].first, line[s].second, line[s + 1].first, line[s + 1].second, [&](size_t d) {
        if (static_cast<int32_t>(d) == from->second || static_cast<int32_t>(d) == to->second) return;
        if (distanceToSegment(svg.discs[d].x, svg.discs[d].y, line[s], line[s + 1]) < svg.discs[d].r) touched.insert(d);
      });
      c.linesThroughDiscs += touched.size();
    }
  }
  return c;
}

std::string pageSvg(Workspace& ws) {
  showComputedLatticePage(ws, noProgress());
  EXPECT_EQ(ws.computedLatticeShown, 1);
  const std::string path = testing::TempDir() + "diagram.svg";
  EXPECT_TRUE(writePageSvg(ws, path, ws.viewWidth, ws.viewHeight));
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  std::remove(path.c_str());
  return text.str();
}

void expectReadable(Workspace& ws, int32_t k, bool congruences, size_t elements, bool labels) {
  const std::string what = std::string(congruences ? "Con" : "Sub") + " of " + std::to_string(ws.algebra(k).card);
  if (congruences)
    congruenceLatticeReport(ws, k, 100000, noProgress());
  else
    subuniverseLatticeReport(ws, k, 100000, noProgress());
  ASSERT_EQ(ws.lastLattice.listing->size(), elements) << what;
  const Svg svg = parse(pageSvg(ws));
  const Counts c = count(svg);
  EXPECT_EQ(svg.discs.size(), elements) << what;
  EXPECT_EQ(c.discOverlaps, 0u) << what;
  EXPECT_EQ(c.labelOverlaps, 0u) << what;
  EXPECT_EQ(c.linesThroughDiscs, 0u) << what;
  // One label per node (and the notice) when they are on, the notice alone when off.
  if (labels)
    EXPECT_EQ(c.labels, elements + 1) << what;
  else
    EXPECT_EQ(c.labels, 1u) << what;
  const LatticeListing& l = *ws.lastLattice.listing;
  EXPECT_EQ(c.coverLines, c.drawnCovers.size()) << what << ": a cover drawn twice";
  if (elements <= 100) {
    oracle::ReferenceLattice plain;
    for (size_t i = 0; i < l.size(); ++i) plain.elements.push_back(l.element(i));
    std::set<std::pair<int32_t, int32_t>> expected;
    for (const auto& [a, b] : oracle::coversReference(plain, congruences)) expected.insert({a, b});
    EXPECT_EQ(c.drawnCovers, expected) << what;
  } else {
    for (const auto& [a, b] : c.drawnCovers)
      EXPECT_TRUE(l.below(static_cast<size_t>(a), static_cast<size_t>(b)) && a != b) << what;
  }
}

TEST(DiagramSvg, ConAndSubPagesAreReadable) {
  Workspace lattice = oracle::workspaceWithSignature("L");
  expectReadable(lattice, oracle::addBooleanLattice(lattice, 3), false, 74, true);
  Workspace semi = oracle::workspaceWithSignature(".");
  expectReadable(semi, oracle::addSemilatticePower(semi, 3), true, 61, true);
  Workspace group = oracle::workspaceWithSignature("+");
  expectReadable(group, oracle::addCyclicSum(group, 60), false, 13, true);
  expectReadable(group, oracle::addCyclicSum(group, 12), true, 6, true);
  // 4096 elements: labels off; the Boolean lattice 2^12 has 12 * 2^11 covers.
  Workspace big = oracle::workspaceWithSignature("L");
  expectReadable(big, oracle::addChainProductLattice(big, {4, 5, 6}), true, 4096, false);
}

// The page draws the list as it was made, whatever happens to the algebra
// since: drawing once read the current algebra's tables and ended the
// program after a deletion, and took more than 100 s for Sub of a
// 1000-element algebra with 256 subuniverses.
TEST(DiagramSvg, ThePageDrawsTheListAsItWasWhateverHappensToItsAlgebra) {
  Workspace ws = oracle::workspaceWithSignature("-");
  // x -> x + 8 on 1000 elements: eight cycles, 2^8 subuniverses.
  const int32_t k = createAlgebra(ws, 1000);
  for (int32_t x = 0; x < 1000; ++x) ws.algebra(k).table[static_cast<size_t>(x)] = (x + 8) % 1000;
  subuniverseLatticeReport(ws, k, 100000, noProgress());
  ASSERT_EQ(ws.lastLattice.listing->size(), 256u);
  oracle::StopAfterSeconds deadline(20);
  showComputedLatticePage(ws, deadline);
  ASSERT_FALSE(deadline.stopped());
  ASSERT_EQ(ws.computedLatticeShown, 1);
  deleteAlgebra(ws, k);
  createAlgebra(ws, 3);
  const Svg svg = parse(pageSvg(ws));
  EXPECT_EQ(svg.discs.size(), 256u);
  EXPECT_EQ(count(svg).drawnCovers.size(), 8u * 128u);
  EXPECT_FALSE(appendFromComputedLattice(ws, 1));
  EXPECT_EQ(ws.algebraCount(), 1);
  EXPECT_EQ(latticePageNotice(ws), "The algebra of Sub(A0) is no longer there: nothing appended");
}

}  // namespace
}  // namespace kest
