// Keeping a command's report in sight in the window. Message lines stand
// to the right of the last displayed algebra, which may lie beyond the
// window's edge; after a command reports, the page scrolls (with its usual
// scroll offsets) so that the first line shows. Script mode, whose pages
// and drawings stay as they are, does not call this.
#pragma once

#include <cstdint>

#include "core/workspace.h"

namespace kest {

// On the normal page, with message lines present: whether the first line
// lies inside a view of width by height at the current scroll offsets.
bool firstMessageVisible(const Workspace& ws, int32_t width, int32_t height);

// Scrolls the normal page so that the first message line comes into view
// when it is not; true when the offsets changed.
bool bringMessagesIntoView(Workspace& ws, int32_t width, int32_t height);

}  // namespace kest
