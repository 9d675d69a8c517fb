// The toolbar: its buttons in order, with their command ids, tooltips and
// faces, and what each does. The window's buttons and the script's verbs
// run the same functions. Open and Save As need a file name and are run by
// the front end. A button that opens a panel names its input mode; the
// panel itself comes from the one table of panels_commands.h.
#pragma once

#include <cstdint>
#include <vector>

#include "commands/command_ids.h"
#include "commands/repaint.h"
#include "core/input_mode.h"
#include "core/progress.h"
#include "core/workspace.h"

namespace kest {

struct ToolbarButton {
  int32_t id;
  const char* tooltip;
  const char* face;  // a short name of the button's face, for the icon painter
  bool separatorBefore;
  bool checkable;
  bool opensPanel = false;
  InputMode panel = InputMode::kSignature;  // with opensPanel
};

// The buttons in toolbar order.
const std::vector<ToolbarButton>& toolbarButtons();

// The button of the command id, or nullptr.
const ToolbarButton* findToolbarButton(int32_t id);

// Runs the command of the button (or of Ctrl+N); the repaint it asks for.
Repaint runToolbarCommand(Workspace& ws, int32_t id, Progress& progress = noProgress());

// Whether a checkable button shows as pressed.
bool toolbarChecked(const Workspace& ws, int32_t id);

}  // namespace kest
