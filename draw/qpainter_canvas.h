// The canvas on a QPainter, with the view's fixed-pitch font: every
// character advances exactly 7 units, so tables, the caret and the hit
// tests line up whatever the font's own metrics are.
#pragma once

#include <QFont>
#include <QPainter>
#include <QPoint>

#include "draw/canvas.h"

namespace kest {

// The view font: DejaVu Sans Mono (or the system's monospace font) at a
// size whose cell is about 7 by 14, spaced to 7 units per character.
// Needs a QGuiApplication.
const QFont& viewFont();

class QPainterCanvas final : public Canvas {
 public:
  explicit QPainterCanvas(QPainter& painter);

  void setWindowOrigin(int32_t x, int32_t y) override;
  void text(int32_t x, int32_t y, std::string_view s) override;
  void textAtPitch(int32_t x, int32_t y, std::string_view s, int32_t pitch) override;
  void moveTo(int32_t x, int32_t y) override;
  void lineTo(int32_t x, int32_t y) override;
  void setPen(int32_t width, Color color) override;
  void ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
  void fillRect(const Rect& r, Color color) override;
  void frame(const Rect& r, Color topLeft, Color bottomRight) override;
  void invertOutline(const Rect& r) override;

 private:
  QPainter& painter_;
  QPoint pen_;
  int32_t ascent_;
};

}  // namespace kest
