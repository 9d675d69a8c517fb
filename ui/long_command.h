// Runs a command off the user-interface thread. A command that takes
// longer than about half a second gets a small modal progress window whose
// Cancel button (or Escape) asks it to stop; it then reports "Interrupted"
// and leaves the workspace as it was. While it runs nothing else touches
// the workspace: the window is blocked and the view shows its last picture.
#pragma once

#include <functional>

#include "commands/repaint.h"
#include "core/progress.h"

class QWidget;

namespace kest {

Repaint runLongCommand(QWidget* parent, const std::function<Repaint(Progress&)>& work);

}  // namespace kest
