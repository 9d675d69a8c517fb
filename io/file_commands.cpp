#include "io/file_commands.h"

#include "core/algebra_store.h"
#include "io/algebra_file.h"
#include "io/file_io.h"
#include "io/foreign_algebra.h"
#include "io/mace4_file.h"
#include "io/ua_file.h"
#include "io/workspace_file.h"

namespace kest {

namespace {

bool endsWith(const std::string& path, std::string_view ending) {
  return path.size() >= ending.size() && path.compare(path.size() - ending.size(), ending.size(), ending) == 0;
}

std::optional<std::vector<ForeignAlgebra>> readForeign(const std::string& path, const std::string& text, std::string& why,
                                                       Progress& progress) {
  return endsWith(path, ".ua") ? readUaText(text, why, progress) : readMace4Text(text, why, progress);
}

}  // namespace

bool endsInDotT(const std::string& path) { return endsWith(path, ".t"); }

bool isForeignPath(const std::string& path) { return endsWith(path, ".ua") || endsWith(path, ".mace4"); }

std::optional<MappingProposal> foreignMappingProposal(const Workspace& ws, const std::string& path) {
  if (awaitingSignature(ws)) return std::nullopt;
  std::string why;
  const std::optional<std::string> text = readWholeFile(path, why);
  if (!text) return std::nullopt;
  const std::optional<std::vector<ForeignAlgebra>> algebras = readForeign(path, *text, why, noProgress());
  if (!algebras) return std::nullopt;
  return proposeMapping(ws.sig, algebras->front(), why);
}

void openFile(Workspace& ws, const std::string& path, const std::string& mapping, Progress& progress) {
  if (path.size() < 3) return;
  std::string why;
  const std::optional<std::string> text = readWholeFile(path, why);
  if (!text) {
    ws.messages.setMessage(why.empty() ? "Could not open " + path : "Could not read " + path + ": " + why);
    return;
  }
  if (isForeignPath(path)) {
    if (awaitingSignature(ws)) {
      ws.messages.setMessage("Could not read " + path + ": the signature is not entered yet");
      return;
    }
    const std::optional<std::vector<ForeignAlgebra>> algebras = readForeign(path, *text, why, progress);
    if (progress.stopped()) return;
    if (!algebras || !appendForeignAlgebras(ws, *algebras, mapping, path, why)) {
      ws.messages.setMessage("Could not read " + path + ": " + why);
    }
    return;
  }
  if (endsInDotT(path)) {
    switch (appendAlgebraText(ws, *text, &why)) {
      case AppendStatus::kAppended: return;
      case AppendStatus::kStoreFull: ws.messages.setMessage("The store of algebras is full"); return;
      case AppendStatus::kRejected: ws.messages.setMessage("Could not read " + path + ": " + why); return;
    }
  }
  if (loadWorkspaceText(ws, *text, &why) == LoadStatus::kRejected) {
    ws.messages.setMessage("Could not read " + path + ": " + why);
  }
}

void saveFile(Workspace& ws, const std::string& path) {
  if (path.empty()) return;
  std::string data;
  if (endsWith(path, ".mace4")) {
    ws.messages.setMessage("Could not write " + path + ": Mace4 models are only read");
    return;
  }
  if (endsWith(path, ".ua")) {
    if (!ws.validAlgebra(ws.redMarked)) {
      ws.messages.setMessage("No red-marked algebra to save");
      return;
    }
    if (!isComplete(ws, ws.redMarked)) {
      ws.messages.setMessage("Could not write " + path + ": A" + std::to_string(ws.redMarked) + " is not complete");
      return;
    }
    data = uaText(ws, ws.redMarked);
  } else if (endsInDotT(path)) {
    if (!ws.validAlgebra(ws.redMarked)) {
      ws.messages.setMessage("No red-marked algebra to save");
      return;
    }
    data = singleAlgebraText(ws, ws.redMarked);
  } else {
    data = workspaceFileText(ws);
  }
  if (!writeFileAtomically(path, data)) ws.messages.setMessage("Could not write " + path);
}

void saveBinaryFile(Workspace& ws, int32_t k, const std::string& path) {
  if (path.empty() || !ws.validAlgebra(k)) return;
  if (!writeFileAtomically(path, binaryAlgebraData(ws, k))) ws.messages.setMessage("Could not write " + path);
}

}  // namespace kest
