#include "draw/tikz_export.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <vector>

#include "commands/computed_lattice_page.h"
#include "core/element_names.h"
#include "core/text_routines.h"
#include "draw/lattice_drawing.h"
#include "structure/lattice_layout.h"
#include "structure/lattice_listing.h"
#include "structure/lattice_order.h"

namespace kest {

namespace {

// Drawing units (0 to 3000) to centimetres.
constexpr double kUnitsPerCm = 300.0;

struct Diagram {
  const Algebra* algebra;
  std::vector<int32_t> chains;  // i * n + j == 1: j covers i
  std::function<std::string(int32_t)> label;
  std::function<bool(int32_t)> filled;
  std::string prefix;  // node names: prefix and index
  double dx = 0;       // shift in centimetres
};

std::string number(double v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.2f", v);
  return buffer;
}

std::string coversLine(const Diagram& d) {
  const int32_t n = d.algebra->card;
  std::string line = "% covers:";
  for (int32_t i = 0; i < n; ++i) {
    for (int32_t j = 0; j < n; ++j) {
      if (d.chains[static_cast<size_t>(i) * n + j] == 1) line += " " + std::to_string(i) + "<" + std::to_string(j);
    }
  }
  return line + "\n";
}

std::string body(const Diagram& d, int32_t bottomY) {
  const Algebra& a = *d.algebra;
  const int32_t n = a.card;
  std::string out;
  for (int32_t i = 0; i < n; ++i) {
    const double x = a.latticeX[static_cast<size_t>(i)] / kUnitsPerCm + d.dx;
    const double y = (bottomY - a.latticeY[static_cast<size_t>(i)]) / kUnitsPerCm;
    out += "\\node[circle,draw,inner sep=1.5pt" + std::string(d.filled(i) ? ",fill" : "") + ",label=right:{" +
           d.label(i) + "}] (" + d.prefix + std::to_string(i) + ") at (" + number(x) + "," + number(y) + ") {};\n";
  }
  for (int32_t i = 0; i < n; ++i) {
    for (int32_t j = 0; j < n; ++j) {
      if (d.chains[static_cast<size_t>(i) * n + j] != 1) continue;
      out += "\\draw (" + d.prefix + std::to_string(i) + ") -- (" + d.prefix + std::to_string(j) + ");\n";
    }
  }
  return out;
}

int32_t lowest(const Algebra& a) { return *std::max_element(a.latticeY.begin(), a.latticeY.end()); }

std::string picture(const std::vector<Diagram>& diagrams, const std::string& extra) {
  std::string out;
  for (const Diagram& d : diagrams) out += coversLine(d);
  out += "\\begin{tikzpicture}\n";
  for (const Diagram& d : diagrams) out += body(d, lowest(*d.algebra));
  out += extra + "\\end{tikzpicture}\n";
  return out;
}

std::function<std::string(int32_t)> names(const Workspace& ws) {
  return [&ws](int32_t e) {
    std::string s;
    appendElementText(s, e, ws.sig.maxNamedElements);
    return s;
  };
}

std::optional<std::string> latticePage(Workspace& ws) {
  const int32_t kind = prepareLatticePage(ws);
  const int32_t k = ws.redMarked;
  if (kind < 0 || ws.algebra(k).card == 0) return std::nullopt;
  Diagram d{&ws.algebra(k), chainLengthMatrix(ws.view(k), kind), names(ws), [](int32_t) { return false; }, "n"};
  return picture({d}, "");
}

std::optional<std::string> embeddingPage(Workspace& ws) {
  const EmbeddingSearchMemo* found = prepareEmbeddingPage(ws);
  const int32_t ka = ws.redMarked;
  const int32_t kb = ws.greenMarked;
  if (!found || !found->found) return std::nullopt;
  if (ws.algebra(ka).card == 0 || ws.algebra(kb).card == 0) return std::nullopt;
  const std::vector<int32_t>& map = found->map;
  auto none = [](int32_t) { return false; };
  Diagram a{&ws.algebra(ka), chainLengthMatrix(ws.view(ka), kJoinFirst), names(ws), none, "a"};
  Diagram b{&ws.algebra(kb), chainLengthMatrix(ws.view(kb), kJoinFirst), names(ws), none, "b", 12.0};
  std::string arrows;
  for (size_t i = 0; i < map.size(); ++i) {
    arrows += "\\draw[red,dashed] (a" + std::to_string(i) + ") -- (b" + std::to_string(map[i]) + ");\n";
  }
  return picture({a, b}, arrows);
}

// The page's diagram at its place on the page (y upwards), each cover as
// its polyline, labels where the page shows them.
std::optional<std::string> computedPage(Workspace& ws) {
  const LatticeDiagram* d = latticeDiagram(ws);
  if (!d) return std::nullopt;
  const LatticeListing& list = *ws.lastLattice.listing;
  const DiagramGeometry g = latticeDiagramGeometry(ws, *d);
  auto at = [&](PagePoint p) { return "(" + number(p.x / 30.0) + "," + number((g.height - p.y) / 30.0) + ")"; };
  std::string covers = "% covers:";
  for (const auto& [a, b] : d->layout.covers) covers += " " + std::to_string(a) + "<" + std::to_string(b);
  std::string out = covers + "\n\\begin{tikzpicture}\n";
  for (size_t i = 0; i < g.nodes.size(); ++i) {
    const std::string label = g.labelShown[i] ? ",label=right:{" + d->labels[i] + "}" : "";
    out += "\\node[circle,draw,inner sep=1.5pt" + std::string(list.joinIrreducible(i) ? ",fill" : "") + label + "] (n" +
           std::to_string(i) + ") at " + at(g.nodes[i]) + " {};\n";
  }
  for (size_t c = 0; c < g.covers.size(); ++c) {
    const std::vector<PagePoint>& line = g.covers[c];
    out += "\\draw (n" + std::to_string(d->layout.covers[c].first) + ")";
    for (size_t i = 1; i + 1 < line.size(); ++i) out += " -- " + at(line[i]);
    out += " -- (n" + std::to_string(d->layout.covers[c].second) + ");\n";
  }
  return out + "\\end{tikzpicture}\n";
}

}  // namespace

bool isTexPath(const std::string& path) { return hasExtension(path, ".tex"); }

std::optional<std::string> pageTikz(Workspace& ws) {
  if (ws.helpShown || ws.infoShown) return std::nullopt;
  if (ws.latticeShown) return latticePage(ws);
  if (ws.embeddingShown) return embeddingPage(ws);
  if (ws.computedLatticeShown) return computedPage(ws);
  return std::nullopt;
}

bool writePageTikz(Workspace& ws, const std::string& path) {
  const std::optional<std::string> tikz = pageTikz(ws);
  if (!tikz) return false;
  std::ofstream out(path, std::ios::binary);
  out << *tikz;
  out.close();
  return out.good();
}

}  // namespace kest
