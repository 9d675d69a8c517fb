// A canvas that writes SVG, so that a page (a Hasse diagram, a table) can
// go into a paper. Text uses a monospace font at the view's 7-unit pitch.
#pragma once

#include <string>

#include "draw/canvas.h"

namespace kest {

class SvgCanvas final : public Canvas {
 public:
  SvgCanvas(int32_t width, int32_t height);

  void setWindowOrigin(int32_t x, int32_t y) override;
  void text(int32_t x, int32_t y, std::string_view s) override;
  void moveTo(int32_t x, int32_t y) override;
  void lineTo(int32_t x, int32_t y) override;
  // One <polyline> element.
  void polyline(const std::vector<PagePoint>& points) override;
  void setPen(int32_t width, Color color) override;
  void ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
  void fillRect(const Rect& r, Color color) override;
  void frame(const Rect& r, Color topLeft, Color bottomRight) override;
  void invertOutline(const Rect& r) override;

  // The whole document.
  std::string svg() const;

 private:
  void segment(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Color color, int32_t width);

  int32_t width_;
  int32_t height_;
  int32_t originX_ = 0;
  int32_t originY_ = 0;
  int32_t penX_ = 0;
  int32_t penY_ = 0;
  int32_t penWidth_ = 1;
  Color pen_ = kBlack;
  std::string body_;
};

}  // namespace kest
