#include "commands/message_view.h"

#include <algorithm>

namespace kest {

namespace {

// Room that counts as "in view": a line's height and about ten characters.
constexpr int32_t kLineHeight = 16;
constexpr int32_t kVisibleWidth = 70;
constexpr int32_t kLeftMargin = 18;

bool normalPage(const Workspace& ws) {
  return !ws.helpShown && !ws.infoShown && !ws.latticeShown && !ws.embeddingShown && !ws.computedLatticeShown;
}

}  // namespace

bool firstMessageVisible(const Workspace& ws, int32_t width, int32_t height) {
  const int32_t x = ws.messageX - ws.pageScrollX;
  const int32_t y = ws.messageY - ws.pageScrollY;
  // The first line counts as seen when all of it is in view, or, for a
  // line wider than the view, when it starts near the left edge.
  const int64_t lineWidth = 7 * static_cast<int64_t>(ws.messages.count() > 0 ? ws.messages.lines().front().size() : 0);
  const int64_t shown = std::clamp<int64_t>(lineWidth, kVisibleWidth, std::max(width - 2 * kLeftMargin, kVisibleWidth));
  return x >= 0 && y >= 0 && x + shown <= std::max<int64_t>(width, shown) &&
         y + kLineHeight <= std::max(height, kLineHeight);
}

bool bringMessagesIntoView(Workspace& ws, int32_t width, int32_t height) {
  if (!normalPage(ws) || ws.messages.count() == 0 || firstMessageVisible(ws, width, height)) return false;
  // Where the first line stands on a page with nothing else: 18 from the
  // left, 30 from the top.
  ws.pageScrollX = std::max(0, ws.messageX - kLeftMargin);
  ws.pageScrollY = std::max(0, ws.messageY - 30);
  return true;
}

}  // namespace kest
