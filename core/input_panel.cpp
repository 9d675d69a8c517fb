#include "core/input_panel.h"

#include <algorithm>

#include "core/limits.h"

namespace kest {

namespace {

int32_t textWidth(const std::string& s) { return 7 * static_cast<int32_t>(s.size()); }

void resetPanel(InputPanel& panel) {
  panel.labels.clear();
  panel.fields.clear();
  panel.originX = 200;
  panel.originY = 100;
}

}  // namespace

void openOneFieldPanel(InputPanel& panel, std::string caption, std::string prompt, int32_t w) {
  resetPanel(panel);
  const int32_t left = textWidth(prompt) + 20;
  panel.labels.push_back({std::move(caption), 10, 10});
  panel.labels.push_back({std::move(prompt), 10, 30});
  panel.fields.push_back({"", {left, 30, left + w, 50}});
  panel.currentField = 0;
  layOutPanel(panel);
}

void openThreeFieldPanel(InputPanel& panel, std::string caption, std::string p1, int32_t w1, std::string p2, int32_t w2,
                         std::string p3, int32_t w3) {
  resetPanel(panel);
  const int32_t x = 20 + std::max({textWidth(p1), textWidth(p2), textWidth(p3)});
  panel.labels.push_back({std::move(caption), 10, 10});
  panel.labels.push_back({std::move(p1), 10, 30});
  panel.labels.push_back({std::move(p2), 10, 55});
  panel.labels.push_back({std::move(p3), 10, 80});
  panel.fields.push_back({"", {x, 30, x + w1, 50}});
  panel.fields.push_back({"", {x, 55, x + w2, 75}});
  panel.fields.push_back({"", {x, 80, x + w3, 100}});
  panel.currentField = 0;
  layOutPanel(panel);
}

void layOutPanel(InputPanel& panel) {
  int32_t w = 0;
  int32_t h = 0;
  for (const PanelLabel& label : panel.labels) {
    w = std::max(w, textWidth(label.text) + label.x);
    h = std::max(h, label.y + 20);
  }
  for (const PanelField& field : panel.fields) {
    w = std::max(w, field.rect.right);
    h = std::max(h, field.rect.bottom);
  }
  panel.originX = 200;
  panel.originY = 100;
  panel.rect = {panel.originX, panel.originY, panel.originX + w + 10, panel.originY + h + 10};
  panel.caret = 0;
  panel.moving = false;
  panel.caretToEnd = true;
  panel.open = true;
}

void setFieldText(InputPanel& panel, int32_t i, std::string_view text) {
  if (i < 0 || i >= static_cast<int32_t>(panel.fields.size())) return;
  std::string kept;
  for (char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (code != 1 && code < 32) continue;
    if (static_cast<int32_t>(kept.size()) == kMaxInputChars) break;
    kept += c;
  }
  panel.fields[static_cast<size_t>(i)].text = std::move(kept);
}

const std::string& fieldText(const InputPanel& panel, int32_t i) {
  static const std::string kEmpty;
  if (i < 0 || i >= static_cast<int32_t>(panel.fields.size())) return kEmpty;
  return panel.fields[static_cast<size_t>(i)].text;
}

}  // namespace kest
