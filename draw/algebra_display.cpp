#include "draw/algebra_display.h"

#include <string>

#include "commands/algebra_geometry.h"
#include "core/algebra_store.h"
#include "core/element_names.h"

namespace kest {

namespace {

void box(Canvas& c, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  c.moveTo(x0, y0);
  c.lineTo(x1, y0);
  c.lineTo(x1, y1);
  c.lineTo(x0, y1);
  c.lineTo(x0, y0);
}

void line(Canvas& c, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  c.moveTo(x0, y0);
  c.lineTo(x1, y1);
}

void twoLines(Canvas& c, Color color, int32_t x, int32_t y) {
  c.setPen(1, color);
  line(c, x, y, x, y + kTopFieldHeight);
  line(c, x + 1, y, x + 1, y + kTopFieldHeight);
  c.setPen(1, kBlack);
}

// The top field: box, label, and the complete, red and green marks.
void drawTopField(const Workspace& ws, int32_t k, int32_t width, Canvas& c) {
  const Algebra& a = ws.algebra(k);
  box(c, a.x, a.y, a.x + width, a.y + kTopFieldHeight);
  std::string label = "A" + std::to_string(k);
  if (a.card >= 2) label += " #=" + std::to_string(a.card);
  c.text(a.x + 5, a.y + 1, label);
  if (isComplete(ws, k)) line(c, a.x - 2, a.y, a.x - 2, a.y + kTopFieldHeight);
  if (k == ws.redMarked) twoLines(c, kRed, a.x - 1, a.y);
  if (k == ws.greenMarked) twoLines(c, kGreen, a.x + width, a.y);
}

// The names of count elements as one row of cells 16 apart.
template <typename ElementOf>
void nameRow(Canvas& c, int32_t x, int32_t y, int32_t count, int32_t maxNamed, ElementOf elementOf) {
  std::string names(static_cast<size_t>(count), '.');
  for (int32_t j = 0; j < count; ++j) names[static_cast<size_t>(j)] = nameOfElement(elementOf(j), maxNamed);
  c.textAtPitch(x, y, names, kCellPitch);
}

int32_t identity(int32_t j) { return j; }

}  // namespace

void drawAlgebra(const Workspace& ws, int32_t k, Canvas& c) {
  const Algebra& a = ws.algebra(k);
  if (!a.displayed) {
    drawTopField(ws, k, 70, c);
    return;
  }
  const Signature& sig = ws.sig;
  const int32_t n = a.card;
  const int32_t w = 16 * n + 22;
  const int32_t x = a.x;
  const int32_t m = sig.maxNamedElements;
  const TableLayout lay = ws.layout(k);
  drawTopField(ws, k, w, c);
  for (int32_t b = 0; b < sig.binaryCount; ++b) {
    const int32_t y0 = a.y + kTablesTop + b * binaryBlock(n);
    box(c, x, y0, x + w, y0 + 16 * n + 18);
    line(c, x + kSeparatorX, y0, x + kSeparatorX, y0 + 16 * n + 18);
    line(c, x, y0 + 17, x + w, y0 + 17);
    c.text(x + kHeaderX, y0 + 1, std::string_view(&sig.opSymbol[static_cast<size_t>(b)], 1));
    nameRow(c, x + kFirstColumnX, y0 + 1, n, m, identity);
    for (int32_t i = 0; i < n; ++i) {
      nameRow(c, x + kHeaderX, y0 + 18 + 16 * i, 1, m, [i](int32_t) { return i; });
      const int32_t* row = a.table.data() + lay.binary(b, i, 0);
      nameRow(c, x + kFirstColumnX, y0 + 18 + 16 * i, n, m, [row](int32_t j) { return row[j]; });
    }
  }
  for (int32_t u = 0; u < sig.unaryCount; ++u) {
    const int32_t op = sig.binaryCount + u;
    const int32_t yu = a.y + kTablesTop + sig.binaryCount * binaryBlock(n) + kUnaryPitch * u;
    box(c, x, yu, x + w, yu + 34);
    line(c, x + kSeparatorX, yu, x + kSeparatorX, yu + 17);
    line(c, x, yu + 17, x + w, yu + 17);
    c.text(x + kHeaderX, yu + 1, std::string_view(&sig.opSymbol[static_cast<size_t>(op)], 1));
    nameRow(c, x + kFirstColumnX, yu + 1, n, m, identity);
    const int32_t* values = a.table.data() + lay.unary(op, 0);
    nameRow(c, x + kFirstColumnX, yu + 18, n, m, [values](int32_t j) { return values[j]; });
  }
  for (int32_t i = 0; i < sig.constantCount; ++i) {
    const int32_t op = sig.binaryCount + sig.unaryCount + i;
    const int32_t yc = a.y + kTablesTop + sig.binaryCount * binaryBlock(n) + kUnaryPitch * sig.unaryCount + 16 * i;
    std::string text(1, sig.opSymbol[static_cast<size_t>(op)]);
    text += " = ";
    text += nameOfElement(a.table[static_cast<size_t>(lay.constant(i))], m);
    c.text(x, yc, text);
  }
}

}  // namespace kest
