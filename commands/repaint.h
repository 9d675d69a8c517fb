// What a handler asks the view to repaint: a rectangle in window
// coordinates, the whole view, or nothing.
#pragma once

#include <cstdint>

#include "core/input_panel.h"

namespace kest {

struct Repaint {
  enum class Kind { kNothing, kWhole, kRect };
  Kind kind = Kind::kNothing;
  Rect rect;

  static Repaint nothing() { return {}; }
  static Repaint whole() { return {Kind::kWhole, {}}; }
  static Repaint area(Rect r) { return {Kind::kRect, r}; }
};

}  // namespace kest
