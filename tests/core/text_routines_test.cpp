#include "core/text_routines.h"

#include <gtest/gtest.h>

namespace kest {
namespace {

TEST(ReadInteger, FoldsEveryCharacterWithoutDigitCheck) {
  EXPECT_EQ(readInteger("42"), 42);
  EXPECT_EQ(readInteger("   -17"), -17);
  EXPECT_EQ(readInteger("12x"), 192);  // 120 + ('x' - '0')
  EXPECT_EQ(readInteger("7 8"), 7);    // stops at the blank
  EXPECT_EQ(readInteger(""), 0);
  EXPECT_EQ(readInteger("-"), 0);
  EXPECT_EQ(readInteger("abc"), (('a' - '0') * 10 + ('b' - '0')) * 10 + ('c' - '0'));
}

TEST(ReadInteger, WrapsInsteadOfOverflowing) {
  // 99999999999 wraps modulo 2^32 like 32-bit arithmetic; no undefined behaviour.
  EXPECT_EQ(readInteger("99999999999"), static_cast<int32_t>(static_cast<uint32_t>(99999999999ULL)));
}

TEST(ReadIntegerList, TrailingBlankYieldsOneMoreZero) {
  std::vector<int32_t> v;
  EXPECT_EQ(readIntegerList("1 2 3", v), 3);
  EXPECT_EQ(v, (std::vector<int32_t>{1, 2, 3}));
  EXPECT_EQ(readIntegerList("1 2 ", v), 3);
  EXPECT_EQ(v, (std::vector<int32_t>{1, 2, 0}));
  EXPECT_EQ(readIntegerList("  1   2", v), 2);
  EXPECT_EQ(v, (std::vector<int32_t>{1, 2}));
  EXPECT_EQ(readIntegerList("   ", v), 0);
  EXPECT_EQ(readIntegerList("", v), 0);
  EXPECT_EQ(readIntegerList("-1 0", v), 2);
  EXPECT_EQ(v, (std::vector<int32_t>{-1, 0}));
}

TEST(MatchBracket, MatchesTheSamePairWithNesting) {
  const std::string_view s = "(a[b](c))";
  EXPECT_EQ(matchBracket(s, 0), 8);
  EXPECT_EQ(matchBracket(s, 8), 0);
  EXPECT_EQ(matchBracket(s, 2), 4);
  EXPECT_EQ(matchBracket(s, 5), 7);
  EXPECT_EQ(matchBracket(s, 1), -1);  // no bracket
  EXPECT_EQ(matchBracket("((x)", 0), -1);
  EXPECT_EQ(matchBracket("x)", 1), -1);
  EXPECT_EQ(matchBracket("{[}]", 0), 2);  // only the same pair counts
  EXPECT_EQ(matchBracket("()", 5), -1);
  EXPECT_EQ(matchBracket("()", -1), -1);
}

}  // namespace
}  // namespace kest
