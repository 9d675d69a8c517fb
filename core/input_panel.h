// The input panel's state: a caption and prompt lines, one or three edit
// fields whose texts are the input strings of the command executor, and
// where the panel stands. Coordinates of labels and fields are relative to
// the panel origin; the layout counts 7 units per character.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kest {

struct Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

struct PagePoint {
  int32_t x = 0;
  int32_t y = 0;
};

struct PanelLabel {
  std::string text;
  int32_t x = 0;
  int32_t y = 0;
};

struct PanelField {
  std::string text;
  Rect rect;
};

struct InputPanel {
  bool open = false;
  std::vector<PanelLabel> labels;
  std::vector<PanelField> fields;
  int32_t currentField = -1;
  int32_t caret = 0;
  bool caretToEnd = false;
  int32_t originX = 200;
  int32_t originY = 100;
  Rect rect;
  bool moving = false;
  int32_t lastX = 0;
  int32_t lastY = 0;
};

// Builds and opens the one-field panel (caption at (10,10), prompt at
// (10,30), the field right of the prompt, w wide).
void openOneFieldPanel(InputPanel& panel, std::string caption, std::string prompt, int32_t w);

// Builds and opens the three-field panel; fields start 20 units right of
// the longest prompt.
void openThreeFieldPanel(InputPanel& panel, std::string caption, std::string p1, int32_t w1, std::string p2, int32_t w2,
                         std::string p3, int32_t w3);

// The common layout step: the panel rectangle around labels and fields,
// placed at (200, 100); opens the panel.
void layOutPanel(InputPanel& panel);

// Puts text into field i as typing it would: characters the panel does not
// insert (controls other than 1) are dropped, and at most 99 are kept.
void setFieldText(InputPanel& panel, int32_t i, std::string_view text);

// The text of field i, or "" when there is no such field.
const std::string& fieldText(const InputPanel& panel, int32_t i);

}  // namespace kest
