#include "draw/page_drawing.h"

#include "commands/info_page.h"
#include "commands/panel_input.h"
#include "draw/algebra_display.h"
#include "draw/help_text.h"
#include "draw/lattice_drawing.h"
#include "terms/term_print.h"

namespace kest {

std::vector<int32_t> helpLineYs() {
  static constexpr std::string_view kHeadings[] = {"TERMS, EQUATIONS, FORMULAS", "DEFINING AN ALGEBRA",
                                                   "WORKING WITH AN ALGEBRA", "SAVING AND LOADING",
                                                   "BUILDING FREE ALGEBRAS"};
  std::vector<int32_t> ys;
  int32_t y = 10;
  for (const std::string& line : helpLines()) {
    if (!ys.empty()) {
      bool heading = false;
      for (std::string_view h : kHeadings) heading = heading || line == h;
      y += heading ? 20 : 15;
    }
    ys.push_back(y);
  }
  return ys;
}

void drawPage(Workspace& ws, Canvas& canvas) {
  settleCaret(ws.panel);
  if (ws.helpShown)
    drawHelpPage(ws, canvas);
  else if (ws.infoShown)
    drawInfoPage(ws, canvas);
  else if (ws.latticeShown)
    drawLatticeMode(ws, canvas);
  else if (ws.embeddingShown)
    drawEmbeddingMode(ws, canvas);
  else if (ws.computedLatticeShown)
    drawComputedLatticeMode(ws, canvas);
  else
    drawNormalPage(ws, canvas);
}

void drawHelpPage(const Workspace& ws, Canvas& canvas) {
  canvas.setWindowOrigin(0, 0);
  const std::vector<std::string>& lines = helpLines();
  const std::vector<int32_t> ys = helpLineYs();
  for (size_t i = 0; i < lines.size(); ++i) canvas.text(10 - ws.helpScrollX, ys[i] - ws.helpScrollY, lines[i]);
}

void drawInfoPage(const Workspace& ws, Canvas& canvas) {
  canvas.setWindowOrigin(0, 0);
  for (const PageText& item : infoPageItems(ws)) canvas.text(item.x, item.y, item.text);
}

void drawNormalPage(const Workspace& ws, Canvas& canvas) {
  canvas.setWindowOrigin(ws.pageScrollX, ws.pageScrollY);
  const std::vector<std::string> lines = listingLines(ws);
  for (size_t i = 0; i < lines.size(); ++i) canvas.text(10, 10 + 16 * static_cast<int32_t>(i), lines[i]);
  for (int32_t k = 0; k < ws.algebraCount(); ++k) drawAlgebra(ws, k, canvas);
  const std::vector<std::string>& messages = ws.messages.lines();
  for (size_t m = 0; m < messages.size(); ++m) {
    canvas.text(ws.messageX, ws.messageY + 16 * static_cast<int32_t>(m), messages[m]);
  }
  if (ws.panel.open) {
    canvas.setWindowOrigin(0, 0);
    drawPanel(ws.panel, canvas);
  }
}

void drawPanel(const InputPanel& p, Canvas& canvas) {
  canvas.fillRect(p.rect, kLightGrey);
  canvas.frame(p.rect, kWhite, kGrey);
  for (const PanelLabel& label : p.labels) canvas.text(p.originX + label.x, p.originY + label.y + 2, label.text);
  for (const PanelField& field : p.fields) {
    const Rect r{field.rect.left + p.originX, field.rect.top + p.originY, field.rect.right + p.originX,
                 field.rect.bottom + p.originY};
    canvas.fillRect(r, kWhite);
    canvas.frame(r, kGrey, kSunkenLight);
    canvas.text(r.left + 8, r.top + 2, field.text);
  }
  if (p.currentField >= 0 && p.currentField < static_cast<int32_t>(p.fields.size())) {
    const Rect& f = p.fields[static_cast<size_t>(p.currentField)].rect;
    const int32_t x = f.left + p.originX + 8 + 7 * p.caret;
    const int32_t y = f.top + p.originY + 2;
    canvas.setPen(1, kRed);
    canvas.moveTo(x, y);
    canvas.lineTo(x, y + 14);
    canvas.setPen(1, kBlack);
  }
  if (p.moving) canvas.invertOutline(p.rect);
}

}  // namespace kest
