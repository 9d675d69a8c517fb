#include "commands/file_commands.h"

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

std::optional<std::vector<ForeignAlgebra>> readForeign(const std::string& path, const std::string& text,
                                                       std::string& why, Progress& progress) {
  return endsWith(path, ".ua") ? readUaText(text, why, progress) : readMace4Text(text, why, progress);
}

}  // namespace

bool endsInDotT(const std::string& path) { return endsWith(path, ".t"); }

bool isForeignPath(const std::string& path) { return endsWith(path, ".ua") || endsWith(path, ".mace4"); }

std::optional<std::vector<ForeignAlgebra>> readForeignFile(Workspace& ws, const std::string& path, Progress& progress) {
  std::string why;
  const std::optional<std::string> text = readWholeFile(path, why);
  if (!text) {
    ws.messages.setMessage(why.empty() ? "Could not open " + path : "Could not read " + path + ": " + why);
    return std::nullopt;
  }
  if (awaitingSignature(ws)) {
    ws.messages.setMessage("Could not read " + path + ": the signature is not entered yet");
    return std::nullopt;
  }
  std::optional<std::vector<ForeignAlgebra>> algebras = readForeign(path, *text, why, progress);
  if (!algebras && !progress.stopped()) ws.messages.setMessage("Could not read " + path + ": " + why);
  return algebras;
}

void appendForeignReport(Workspace& ws, const std::vector<ForeignAlgebra>& algebras, const std::string& mapping,
                         const std::string& path) {
  std::string why;
  const std::optional<int32_t> first = appendForeignAlgebras(ws, algebras, mapping, why);
  if (!first) {
    ws.messages.setMessage("Could not read " + path + ": " + why);
    return;
  }
  std::vector<std::string> lines;
  for (size_t i = 0; i < algebras.size(); ++i) {
    lines.push_back("Read A" + std::to_string(*first + static_cast<int32_t>(i)) + " (" + algebras[i].name + ", " +
                    std::to_string(algebras[i].card) + " elements) from " + path);
  }
  ws.messages.setReport(std::move(lines));
}

void openFile(Workspace& ws, const std::string& path, const std::string& mapping, Progress& progress) {
  if (path.size() < 3) return;
  if (isForeignPath(path)) {
    if (const std::optional<std::vector<ForeignAlgebra>> algebras = readForeignFile(ws, path, progress)) {
      appendForeignReport(ws, *algebras, mapping, path);
    }
    return;
  }
  std::string why;
  const std::optional<std::string> text = readWholeFile(path, why);
  if (!text) {
    ws.messages.setMessage(why.empty() ? "Could not open " + path : "Could not read " + path + ": " + why);
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
