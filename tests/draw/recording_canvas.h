// A canvas that records what is drawn, for tests of the drawing code.
#pragma once

#include <string>
#include <vector>

#include "draw/canvas.h"

namespace kest::testing {

struct DrawnText {
  int32_t x;
  int32_t y;
  std::string text;
};

struct DrawnLine {
  int32_t x0;
  int32_t y0;
  int32_t x1;
  int32_t y1;
  Color color;
};

class RecordingCanvas final : public Canvas {
 public:
  void setWindowOrigin(int32_t x, int32_t y) override {
    originX = x;
    originY = y;
  }
  void text(int32_t x, int32_t y, std::string_view s) override { texts.push_back({x, y, std::string(s)}); }
  void moveTo(int32_t x, int32_t y) override {
    penX = x;
    penY = y;
  }
  void lineTo(int32_t x, int32_t y) override {
    lines.push_back({penX, penY, x, y, pen});
    penX = x;
    penY = y;
  }
  void setPen(int32_t, Color color) override { pen = color; }
  void ellipse(int32_t, int32_t, int32_t, int32_t) override { ++ellipses; }
  void fillRect(const Rect& r, Color) override { fills.push_back(r); }
  void frame(const Rect& r, Color, Color) override { frames.push_back(r); }
  void invertOutline(const Rect& r) override { outlines.push_back(r); }

  // The texts drawn at (x, y).
  std::vector<std::string> textsAt(int32_t x, int32_t y) const {
    std::vector<std::string> out;
    for (const DrawnText& t : texts) {
      if (t.x == x && t.y == y) out.push_back(t.text);
    }
    return out;
  }
  bool hasLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Color color) const {
    for (const DrawnLine& l : lines) {
      if (l.x0 == x0 && l.y0 == y0 && l.x1 == x1 && l.y1 == y1 && l.color == color) return true;
    }
    return false;
  }

  int32_t originX = 0;
  int32_t originY = 0;
  int32_t penX = 0;
  int32_t penY = 0;
  Color pen = kBlack;
  std::vector<DrawnText> texts;
  std::vector<DrawnLine> lines;
  std::vector<Rect> fills;
  std::vector<Rect> frames;
  std::vector<Rect> outlines;
  int32_t ellipses = 0;
};

}  // namespace kest::testing
