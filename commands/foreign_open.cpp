#include "commands/foreign_open.h"

#include "commands/executor.h"
#include "commands/panel_commands.h"

namespace kest {

void openForeignMappingPanel(Workspace& ws, const std::string& path, const std::string& mapping,
                             const std::string& problem) {
  openPanel(ws, InputMode::kForeignMapping);
  ws.panel.labels[0].text = "Open " + path;
  if (!problem.empty()) {
    ws.panel.labels.push_back({"As it stands: " + problem, 10, 55});
    layOutPanel(ws.panel);
  }
  setFieldText(ws.panel, 0, mapping);
  ws.foreignOpenPath = path;
}

void registerForeignOpenMode(ModeTable& table) {
  table.add(InputMode::kForeignMapping, [](Workspace& ws, Progress&) {
    ws.foreignOpenMapping = inputString(ws);
    ws.foreignOpenRequest = 1;
  });
}

}  // namespace kest
