#include "core/input_panel.h"

#include <gtest/gtest.h>

namespace kest {
namespace {

TEST(InputPanel, OneFieldLayout) {
  InputPanel p;
  openOneFieldPanel(p, "Define new algebra", "Input cardinality", 30);
  ASSERT_EQ(p.fields.size(), 1u);
  EXPECT_EQ(p.fields[0].rect.left, 7 * 17 + 20);
  EXPECT_EQ(p.fields[0].rect.right, 7 * 17 + 50);
  EXPECT_EQ(p.rect.left, 200);
  EXPECT_EQ(p.rect.top, 100);
  // Width: the caption (18 chars at x 10) is narrower than the field's right edge 169.
  EXPECT_EQ(p.rect.right, 200 + 169 + 10);
  EXPECT_EQ(p.rect.bottom, 100 + 50 + 10);
  EXPECT_TRUE(p.open);
  EXPECT_TRUE(p.caretToEnd);
}

TEST(InputPanel, ThreeFieldsStartRightOfTheLongestPrompt) {
  InputPanel p;
  openThreeFieldPanel(p, "c", "ab", 30, "abcdef", 100, "abc", 100);
  EXPECT_EQ(p.fields[0].rect.left, 20 + 42);
  EXPECT_EQ(p.fields[2].rect.left, 20 + 42);
  EXPECT_EQ(p.fields[2].rect.bottom, 100);
}

TEST(InputPanel, FieldTextKeepsWhatTypingWould) {
  InputPanel p;
  openOneFieldPanel(p, "c", "p", 10);
  setFieldText(p, 0, std::string(150, 'a'));
  EXPECT_EQ(p.fields[0].text.size(), 99u);
  setFieldText(p, 0, "a\tb\x01");
  EXPECT_EQ(p.fields[0].text, "ab\x01");
  setFieldText(p, 5, "ignored");
  EXPECT_EQ(fieldText(p, 5), "");
}

}  // namespace
}  // namespace kest
