#include "core/messages.h"

#include <gtest/gtest.h>

#include "core/limits.h"
#include "core/progress.h"

namespace kest {
namespace {

TEST(MessageLines, ReportLongerThanTheBufferIsCutAtALineBoundary) {
  MessageLines m;
  std::vector<std::string> lines(30000, std::string(9, 'x'));  // 10 bytes each with the terminator
  m.setReport(lines);
  EXPECT_EQ(m.count(), kMessageBufferBytes / 10);
}

// A congruence of millions of elements printed on one line used to vanish
// whole, leaving no trace of the result.
TEST(MessageLines, ALineThatDoesNotFitIsCutAndMarked) {
  MessageLines m;
  m.setReport({std::string(kMessageBufferBytes, 'y')});
  ASSERT_EQ(m.count(), 1);
  EXPECT_EQ(m.lines()[0].size(), static_cast<size_t>(kMessageBufferBytes - 1));
  EXPECT_EQ(m.lines()[0].substr(m.lines()[0].size() - 4), "y...");
  m.setReport({"first", std::string(2 * kMessageBufferBytes, 'z'), "never"});
  ASSERT_EQ(m.count(), 2);
  EXPECT_EQ(m.lines()[0], "first");
  EXPECT_EQ(m.lines()[1].size() + 1 + 6, static_cast<size_t>(kMessageBufferBytes));
  EXPECT_EQ(m.lines()[1].back(), '.');
  // A buffer filled to the last byte keeps its lines and adds nothing.
  m.setReport({std::string(kMessageBufferBytes - 1, 'a'), "b"});
  EXPECT_EQ(m.count(), 1);
}

TEST(MessageLines, EveryWriteCountsEvenWithTheSameText) {
  MessageLines m;
  const uint64_t s0 = m.writeSerial();
  m.setMessage("Bad input");
  m.setMessage("Bad input");
  EXPECT_EQ(m.writeSerial(), s0 + 2);
  m.clearMessages();
  EXPECT_EQ(m.writeSerial(), s0 + 2);
  EXPECT_EQ(m.count(), 0);
}

}  // namespace
}  // namespace kest

namespace kest {
namespace {

TEST(ProgressText, GroupsThousandsAndNamesTheUnit) {
  EXPECT_EQ(progressText(120000, 4498500, "pairs"), "120,000 of 4,498,500 pairs");
  EXPECT_EQ(progressText(999, 0, "elements"), "999 elements");
  EXPECT_EQ(progressText(1000, 1000000, ""), "1,000 of 1,000,000");
  EXPECT_EQ(progressText(0, 0, nullptr), "0");
}

}  // namespace
}  // namespace kest
