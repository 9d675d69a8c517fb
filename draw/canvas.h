// The abstract drawing surface every page is painted on. Coordinates are
// logical units; text is drawn with its top-left corner at the point, in a
// fixed-pitch font whose cells are 7 units wide and about 14 high, on a
// transparent background. The window origin is the page point shown at the
// top-left corner of the view.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/input_panel.h"

namespace kest {

struct Color {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
  bool operator==(const Color&) const = default;
};

inline constexpr Color kBlack{0, 0, 0};
inline constexpr Color kWhite{255, 255, 255};
inline constexpr Color kRed{255, 0, 0};
inline constexpr Color kGreen{0, 255, 0};
inline constexpr Color kGrey{128, 128, 128};
inline constexpr Color kLightGrey{192, 192, 192};
inline constexpr Color kSunkenLight{196, 196, 196};

class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual void setWindowOrigin(int32_t x, int32_t y) = 0;
  virtual void text(int32_t x, int32_t y, std::string_view s) = 0;
  // Characters pitch units apart, the first at (x, y): a table row. A
  // surface may draw the row at once; by default each is a text of its own.
  virtual void textAtPitch(int32_t x, int32_t y, std::string_view s, int32_t pitch) {
    for (size_t i = 0; i < s.size(); ++i) text(x + pitch * static_cast<int32_t>(i), y, s.substr(i, 1));
  }
  virtual void moveTo(int32_t x, int32_t y) = 0;
  virtual void lineTo(int32_t x, int32_t y) = 0;
  // A line through the points in turn; a surface may keep it as one piece.
  virtual void polyline(const std::vector<PagePoint>& points) {
    if (points.empty()) return;
    moveTo(points[0].x, points[0].y);
    for (size_t i = 1; i < points.size(); ++i) lineTo(points[i].x, points[i].y);
  }
  // The pen of later lines and ellipse outlines; black of width 1 at first.
  virtual void setPen(int32_t width, Color color) = 0;
  virtual void ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
  virtual void fillRect(const Rect& r, Color color) = 0;
  // A two-colour frame: topLeft on the top and left edges, bottomRight on
  // the others (light first for raised, dark first for sunken).
  virtual void frame(const Rect& r, Color topLeft, Color bottomRight) = 0;
  // An outline drawn by inverting what is under it (the panel being moved).
  virtual void invertOutline(const Rect& r) = 0;
};

}  // namespace kest
