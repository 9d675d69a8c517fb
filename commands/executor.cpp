#include "commands/executor.h"

#include <algorithm>
#include <cctype>

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
    registerConditionModes(t);
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

std::optional<int64_t> readTypedNumber(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  int64_t v = 0;
  size_t digits = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i, ++digits) {
    v = std::min<int64_t>(v * 10 + (text[i] - '0'), int64_t{1} << 40);
  }
  while (i < text.size() && text[i] == ' ') ++i;
  if (digits == 0 || i != text.size()) return std::nullopt;
  return v;
}

bool isFormulaNumber(const Workspace& ws, int32_t j) { return j >= 0 && j < ws.terms.formulaListCount(); }

}  // namespace kest
