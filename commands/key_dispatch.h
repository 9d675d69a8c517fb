// Every key that reaches the view: character codes as themselves, the
// navigation keys as 1000 plus their key number (Page Up 1033, Page Down
// 1034, End 1035, Home 1036, Left 1037, Up 1038, Right 1039, Down 1040,
// Insert 1045, Delete 1046). Pages and the open panel come first, then
// scrolling, d over the lists, the drawings, table cells and the single-key
// commands of the algebra under the pointer.
#pragma once

#include <cstdint>

#include "commands/repaint.h"
#include "core/progress.h"
#include "core/workspace.h"

namespace kest {

inline constexpr int32_t kKeyPageUp = 1033;
inline constexpr int32_t kKeyPageDown = 1034;
inline constexpr int32_t kKeyEnd = 1035;
inline constexpr int32_t kKeyHome = 1036;
inline constexpr int32_t kKeyLeft = 1037;
inline constexpr int32_t kKeyUp = 1038;
inline constexpr int32_t kKeyRight = 1039;
inline constexpr int32_t kKeyDown = 1040;
inline constexpr int32_t kKeyInsert = 1045;
inline constexpr int32_t kKeyDelete = 1046;

Repaint dispatchKey(Workspace& ws, int32_t key, Progress& progress = noProgress());

// The mouse wheel: steps notches down (negative: up) on the Help page (60
// a notch) or the normal page (80 a notch), never above the top.
Repaint scrollByWheel(Workspace& ws, int32_t steps);
// The wheel with Ctrl zooms the page of Con(A) or Sub(A) about the view
// point (x, y); a sideways wheel scrolls it sideways. Elsewhere nothing.
Repaint zoomByWheel(Workspace& ws, int32_t steps, int32_t x, int32_t y);
Repaint scrollSidewaysByWheel(Workspace& ws, int32_t steps);

}  // namespace kest
