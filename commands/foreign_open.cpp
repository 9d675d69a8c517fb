#include "commands/foreign_open.h"

#include "commands/executor.h"

namespace kest {

void openForeignMappingPanel(Workspace& ws, const std::string& path, const std::string& mapping,
                             const std::string& problem) {
  openOneFieldPanel(ws.panel, "Open " + path, "Operations onto symbols (name=symbol ...)", 400);
  if (!problem.empty()) {
    ws.panel.labels.push_back({"As it stands: " + problem, 10, 55});
    layOutPanel(ws.panel);
  }
  setFieldText(ws.panel, 0, mapping);
  ws.foreignOpenPath = path;
  ws.inputMode = 'O';
}

void registerForeignOpenMode(ModeTable& table) {
  table.add('O', [](Workspace& ws, Progress&) {
    ws.foreignOpenMapping = inputString(ws);
    ws.foreignOpenRequest = 1;
  });
}

}  // namespace kest
