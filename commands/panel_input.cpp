#include "commands/panel_input.h"

#include <algorithm>

#include "commands/panel_commands.h"
#include "core/limits.h"

namespace kest {

namespace {

bool contains(const Rect& r, int32_t x, int32_t y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

Rect moved(const Rect& r, int32_t dx, int32_t dy) { return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

Repaint currentField(const InputPanel& p) {
  return Repaint::area(moved(p.fields[static_cast<size_t>(p.currentField)].rect, p.originX, p.originY));
}

int32_t textLength(const InputPanel& p) {
  return static_cast<int32_t>(p.fields[static_cast<size_t>(p.currentField)].text.size());
}

void shift(InputPanel& p, int32_t dx, int32_t dy) {
  p.originX += dx;
  p.originY += dy;
  p.rect = moved(p.rect, dx, dy);
}

}  // namespace

void settleCaret(InputPanel& panel) {
  if (!panel.caretToEnd) return;
  panel.caretToEnd = false;
  if (panel.currentField >= 0 && panel.currentField < static_cast<int32_t>(panel.fields.size())) {
    panel.caret = static_cast<int32_t>(panel.fields[static_cast<size_t>(panel.currentField)].text.size());
  }
}

Repaint panelKey(Workspace& ws, int32_t key, Progress& progress) {
  InputPanel& p = ws.panel;
  if (key == 13 || key == 10) {
    submitPanel(ws, progress);
    return Repaint::whole();
  }
  if (p.currentField < 0 || p.currentField >= static_cast<int32_t>(p.fields.size())) return Repaint::nothing();
  settleCaret(p);
  std::string& text = p.fields[static_cast<size_t>(p.currentField)].text;
  const int32_t length = textLength(p);
  switch (key) {
    case 1037:  // Left
      if (p.caret == 0) return Repaint::nothing();
      --p.caret;
      return currentField(p);
    case 1039:  // Right
      if (p.caret >= length) return Repaint::nothing();
      ++p.caret;
      return currentField(p);
    case 1038:  // Up
      if (p.currentField == 0) return Repaint::nothing();
      --p.currentField;
      p.caret = textLength(p);
      return Repaint::area(p.rect);
    case 1040:  // Down
      if (p.currentField + 1 >= static_cast<int32_t>(p.fields.size())) return Repaint::nothing();
      ++p.currentField;
      p.caret = textLength(p);
      return Repaint::area(p.rect);
    case 9:  // Tab empties the field
      text.clear();
      p.caret = 0;
      return currentField(p);
    case 8:  // Backspace
      if (p.caret > 0) {
        text.erase(static_cast<size_t>(p.caret - 1), 1);
        --p.caret;
      }
      return currentField(p);
    case 1046:  // Delete
      if (p.caret < length) text.erase(static_cast<size_t>(p.caret), 1);
      return currentField(p);
    case 1036:  // Home
      p.caret = 0;
      return currentField(p);
    case 1035:  // End
      p.caret = length;
      return currentField(p);
    default: break;
  }
  if (key == 1 || (key >= 32 && key <= 255)) {
    // The field holds 99 characters; further ones are refused.
    if (length >= kMaxInputChars) return Repaint::nothing();
    text.insert(static_cast<size_t>(p.caret), 1, static_cast<char>(key));
    ++p.caret;
    return currentField(p);
  }
  return Repaint::nothing();
}

Repaint panelPress(Workspace& ws, int32_t x, int32_t y) {
  InputPanel& p = ws.panel;
  settleCaret(p);
  for (size_t i = 0; i < p.fields.size(); ++i) {
    const Rect r = moved(p.fields[i].rect, p.originX, p.originY);
    if (!contains(r, x, y)) continue;
    p.currentField = static_cast<int32_t>(i);
    const int32_t caret = (x - p.fields[i].rect.left - p.originX - 8) / 7;
    p.caret = std::clamp(caret, 0, static_cast<int32_t>(p.fields[i].text.size()));
    return Repaint::area(p.rect);
  }
  if (!contains(p.rect, x, y)) return Repaint::nothing();
  p.moving = true;
  p.lastX = x;
  p.lastY = y;
  return Repaint::area(p.rect);  // the view draws the moving outline
}

Repaint panelMove(Workspace& ws, int32_t x, int32_t y) {
  InputPanel& p = ws.panel;
  if (!p.moving) return Repaint::nothing();
  const Rect before = p.rect;
  shift(p, x - p.lastX, y - p.lastY);
  p.lastX = x;
  p.lastY = y;
  // Old and new outline: the smallest rectangle holding both.
  return Repaint::area({std::min(before.left, p.rect.left), std::min(before.top, p.rect.top),
                        std::max(before.right, p.rect.right) + 1, std::max(before.bottom, p.rect.bottom) + 1});
}

Repaint panelRelease(Workspace& ws, int32_t x, int32_t y) {
  InputPanel& p = ws.panel;
  if (!p.moving) return Repaint::nothing();
  p.moving = false;
  shift(p, x - p.lastX, y - p.lastY);
  return Repaint::whole();
}

}  // namespace kest
