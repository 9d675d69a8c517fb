#include "draw/lattice_drawing.h"

#include <string>
#include <vector>

#include "commands/computed_lattice_page.h"
#include "core/element_names.h"
#include "structure/lattice_embedding.h"
#include "structure/lattice_layout.h"
#include "structure/lattice_listing.h"
#include "structure/lattice_order.h"
#include "structure/lattice_recognition.h"

namespace kest {

namespace {

struct Point {
  int32_t x;
  int32_t y;
};

// Where the element sits on the page, the diagram shifted by (dx, dy).
Point pagePoint(const Algebra& a, int32_t i, int32_t dx, int32_t dy) {
  return {a.latticeX[static_cast<size_t>(i)] / 10 + dx, a.latticeY[static_cast<size_t>(i)] / 10 + dy};
}

std::string nameText(const Workspace& ws, int32_t e) {
  return std::string(1, nameOfElement(e, ws.sig.maxNamedElements));
}

void labels(const Workspace& ws, const Algebra& a, int32_t dx, int32_t dy, Canvas& canvas) {
  for (int32_t i = 0; i < a.card; ++i) {
    const Point p = pagePoint(a, i, dx, dy);
    canvas.text(p.x, p.y, nameText(ws, i));
  }
}

void line(Canvas& canvas, Point from, Point to) {
  canvas.moveTo(from.x, from.y);
  canvas.lineTo(to.x, to.y);
}

// The covering lines, each from the lower element to the upper one.
void coveringLines(const Algebra& a, const std::vector<int32_t>& chains, int32_t dx, int32_t dy, Canvas& canvas) {
  const size_t n = static_cast<size_t>(a.card);
  for (int32_t i = 0; i < a.card; ++i) {
    for (int32_t j = 0; j < a.card; ++j) {
      if (chains[static_cast<size_t>(i) * n + static_cast<size_t>(j)] == 1) {
        line(canvas, pagePoint(a, i, dx, dy), pagePoint(a, j, dx, dy));
      }
    }
  }
}

void circles(const Algebra& a, int32_t dx, int32_t dy, Canvas& canvas) {
  for (int32_t i = 0; i < a.card; ++i) {
    const Point p = pagePoint(a, i, dx, dy);
    canvas.ellipse(p.x - 3, p.y - 3, p.x + 4, p.y + 4);
  }
}

// The join and meet tables of lattice k.
std::vector<int32_t> latticeTables(const Workspace& ws, int32_t k) {
  const Algebra& a = ws.algebra(k);
  return {a.table.begin(), a.table.begin() + 2 * static_cast<ptrdiff_t>(a.card) * a.card};
}

// The embedding of a into b (order-reversing when they are the same), as
// the search finds it; the last result is reused while the tables stay.
const EmbeddingSearchMemo& searchEmbedding(Workspace& ws, int32_t a, int32_t b) {
  EmbeddingSearchMemo& memo = ws.embeddingMemo;
  std::vector<int32_t> ta = latticeTables(ws, a);
  std::vector<int32_t> tb = latticeTables(ws, b);
  if (memo.a == a && memo.b == b && memo.tablesA == ta && memo.tablesB == tb) return memo;
  memo.found = findLatticeEmbedding(ws.view(a), ws.view(b), a == b, memo.map);
  memo.a = a;
  memo.b = b;
  memo.tablesA = std::move(ta);
  memo.tablesB = std::move(tb);
  return memo;
}

}  // namespace

int32_t prepareLatticePage(Workspace& ws) {
  const int32_t k = ws.redMarked;
  if (!ws.validAlgebra(k)) return -1;
  const int32_t kind = drawingKind(ws.view(k));
  if (kind < 0) return -1;
  if (!ws.algebra(k).hasLatticeCoordinates()) computeLatticeLayout(ws, k, kind);
  return kind;
}

const EmbeddingSearchMemo* prepareEmbeddingPage(Workspace& ws) {
  const int32_t ka = ws.redMarked;
  const int32_t kb = ws.greenMarked;
  if (!ws.sig.latticeSignature || !ws.validAlgebra(ka) || !ws.validAlgebra(kb)) return nullptr;
  if (!isLattice(ws.view(ka)) || !isLattice(ws.view(kb))) return nullptr;
  for (int32_t k : {ka, kb}) {
    if (!ws.algebra(k).hasLatticeCoordinates()) computeLatticeLayout(ws, k, kJoinFirst, false);
  }
  return &searchEmbedding(ws, ka, kb);
}

void drawLatticeMode(Workspace& ws, Canvas& canvas) {
  canvas.setWindowOrigin(0, 0);
  const int32_t kind = prepareLatticePage(ws);
  if (kind < 0) return;
  const int32_t k = ws.redMarked;
  const Algebra& a = ws.algebra(k);
  labels(ws, a, 100, 100, canvas);
  // A chain of one step is a covering pair.
  coveringLines(a, chainLengthMatrix(ws.view(k), kind), 100, 100, canvas);
  circles(a, 100, 100, canvas);
}

void drawEmbeddingMode(Workspace& ws, Canvas& canvas) {
  canvas.setWindowOrigin(0, 0);
  const EmbeddingSearchMemo* found = prepareEmbeddingPage(ws);
  if (!found) return;
  if (!found->found) {
    canvas.text(10, 10, "Not embeddable");
    return;
  }
  const int32_t ka = ws.redMarked;
  const int32_t kb = ws.greenMarked;
  const std::vector<int32_t>& map = found->map;
  const Algebra& a = ws.algebra(ka);
  const Algebra& b = ws.algebra(kb);
  const int32_t bx = 600 - ws.embeddingOffsetX;
  const int32_t by = 120 - ws.embeddingOffsetY;
  for (int32_t i = 0; i < a.card; ++i) {
    canvas.text(10, 10 + 15 * i, nameText(ws, i) + " -> " + nameText(ws, map[static_cast<size_t>(i)]));
  }
  labels(ws, a, 100, 100, canvas);
  labels(ws, b, bx, by, canvas);
  coveringLines(a, chainLengthMatrix(ws.view(ka), kJoinFirst), 100, 100, canvas);
  coveringLines(b, chainLengthMatrix(ws.view(kb), kJoinFirst), bx, by, canvas);
  canvas.setPen(1, kRed);
  for (int32_t i = 0; i < a.card; ++i) {
    line(canvas, pagePoint(a, i, 100, 100), pagePoint(b, map[static_cast<size_t>(i)], bx, by));
  }
  canvas.setPen(1, kBlack);
  circles(a, 100, 100, canvas);
  circles(b, bx, by, canvas);
}

void drawComputedLatticeMode(Workspace& ws, Canvas& canvas) {
  if (const LatticeDiagram* d = latticeDiagram(ws)) {
    canvas.setWindowOrigin(d->scrollX, d->scrollY);
    const DiagramGeometry g = latticeDiagramGeometry(ws, *d);
    for (const std::vector<PagePoint>& line : g.covers) canvas.polyline(line);
    const LatticeListing& list = *ws.lastLattice.listing;
    for (size_t i = 0; i < g.nodes.size(); ++i) {
      const PagePoint p = g.nodes[i];
      canvas.ellipse(p.x - kNodeRadius, p.y - kNodeRadius, p.x + kNodeRadius, p.y + kNodeRadius);
      // Join irreducibles drawn filled.
      if (list.joinIrreducible(i)) canvas.fillRect({p.x - 2, p.y - 2, p.x + 3, p.y + 3}, kBlack);
      if (g.labelShown[i]) canvas.text(p.x + kLabelDx, p.y - kLabelHeight / 2, d->labels[i]);
    }
  }
  canvas.setWindowOrigin(0, 0);
  // The notice stays at the top of the view, over a scrolled diagram.
  canvas.fillRect({0, 0, ws.viewWidth, 26}, kWhite);
  canvas.text(10, 8, latticePageNotice(ws));
}

}  // namespace kest
