// The toolbar: its 29 buttons in order, with their command ids, tooltips
// and faces, and what each does. The window's buttons and the script's
// verbs run the same functions. Open and Save As need a file name and are
// run by the front end.
#pragma once

#include <cstdint>
#include <vector>

#include "commands/repaint.h"
#include "core/progress.h"
#include "core/workspace.h"

namespace kest {

inline constexpr int32_t kCommandHelp = 32771;
inline constexpr int32_t kCommandInfo = 32772;
inline constexpr int32_t kCommandNotation = 32774;
inline constexpr int32_t kCommandDrawLattice = 32791;
inline constexpr int32_t kCommandDrawEmbedding = 32790;
inline constexpr int32_t kCommandEmbed = 32799;
inline constexpr int32_t kCommandExtendMap = 32797;
inline constexpr int32_t kCommandGlue = 32794;
inline constexpr int32_t kCommandNew = 57600;
inline constexpr int32_t kCommandOpen = 57601;
inline constexpr int32_t kCommandSaveAs = 57603;
inline constexpr int32_t kCommandAbout = 57664;

struct ToolbarButton {
  int32_t id;
  const char* tooltip;
  const char* face;  // a short name of the button's face, for the icon painter
  bool separatorBefore;
  bool checkable;
};

// The buttons in toolbar order.
const std::vector<ToolbarButton>& toolbarButtons();

// Runs the command of the button (or of Ctrl+N); the repaint it asks for.
Repaint runToolbarCommand(Workspace& ws, int32_t id, Progress& progress = noProgress());

// Whether a checkable button shows as pressed.
bool toolbarChecked(const Workspace& ws, int32_t id);

}  // namespace kest
