// Runs a command off the user-interface thread. A command that takes
// longer than about half a second gets a small modal progress window that
// names the task and shows how far it has come (as the command reports
// through its Progress), updated four times a second. Its Cancel button or
// Escape, and nothing else, asks it to stop; it then reports "Interrupted"
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
