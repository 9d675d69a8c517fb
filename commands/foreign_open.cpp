#include "commands/foreign_open.h"

#include <memory>

#include "commands/executor.h"
#include "commands/file_commands.h"
#include "commands/panel_commands.h"

namespace kest {

void beginForeignOpen(Workspace& ws, const std::string& path, Progress& progress) {
  std::optional<std::vector<ForeignAlgebra>> algebras = readForeignFile(ws, path, progress);
  if (!algebras) return;
  std::string why;
  const std::optional<MappingProposal> proposal = proposeMapping(ws.sig, algebras->front(), why);
  if (!proposal) {
    ws.messages.setMessage("Could not read " + path + ": " + why);
    return;
  }
  openPanel(ws, InputMode::kForeignMapping);
  ws.panel.labels[0].text = "Open " + path;
  if (!proposal->problem.empty()) {
    ws.panel.labels.push_back({"As it stands: " + proposal->problem, 10, 55});
    layOutPanel(ws.panel);
  }
  setFieldText(ws.panel, 0, proposal->mapping);
  ws.pendingForeignFile = std::make_shared<PendingForeignFile>(PendingForeignFile{path, std::move(*algebras)});
}

void registerForeignOpenMode(ModeTable& table) {
  table.add(InputMode::kForeignMapping, [](Workspace& ws, Progress&) {
    const std::shared_ptr<PendingForeignFile> pending = std::move(ws.pendingForeignFile);
    if (pending) appendForeignReport(ws, pending->algebras, inputString(ws), pending->path);
  });
}

}  // namespace kest
