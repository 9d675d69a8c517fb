#include "commands/executor.h"

#include "commands/task_names.h"
#include "core/command_scope.h"

namespace kest {

namespace {

const ModeTable& modeTable() {
  static const ModeTable table = [] {
    ModeTable t;
    registerSignatureModes(t);
    registerTermModes(t);
    registerAlgebraModes(t);
    registerStructureModes(t);
    registerMapModes(t);
    registerFreeModes(t);
    registerLatticeModes(t);
    registerConSubModes(t);
    registerForeignOpenMode(t);
    return t;
  }();
  return table;
}

}  // namespace

void executeCommand(Workspace& ws, InputMode mode, Progress& progress) {
  const ModeHandler handler = modeTable().handlers[modeIndex(mode)];
  if (!handler) return;
  if (const std::string task = modeTaskName(ws, mode); !task.empty()) progress.setTask(task);
  runCommand(ws, progress, 0, [&] {
    handler(ws, progress);
    return 0;
  });
}

const std::string& inputString(const Workspace& ws, int32_t i) { return fieldText(ws.panel, i); }

bool isFormulaNumber(const Workspace& ws, int32_t j) { return j >= 0 && j < ws.terms.formulaListCount(); }

}  // namespace kest
