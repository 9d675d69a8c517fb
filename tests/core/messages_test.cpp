#include "core/messages.h"

#include <gtest/gtest.h>

#include "core/limits.h"

namespace kest {
namespace {

TEST(MessageLines, ReportLongerThanTheBufferIsCutAtALineBoundary) {
  MessageLines m;
  std::vector<std::string> lines(30000, std::string(9, 'x'));  // 10 bytes each with the terminator
  m.setReport(lines);
  EXPECT_EQ(m.count(), kMessageBufferBytes / 10);
  m.setReport({std::string(kMessageBufferBytes, 'y')});  // one line that cannot fit at all
  EXPECT_EQ(m.count(), 0);
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
