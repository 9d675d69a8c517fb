#include "io/file_commands.h"

#include "core/algebra_store.h"
#include "io/algebra_file.h"
#include "io/file_io.h"
#include "io/workspace_file.h"

namespace kest {

bool endsInDotT(const std::string& path) {
  return path.size() >= 2 && path.compare(path.size() - 2, 2, ".t") == 0;
}

void openFile(Workspace& ws, const std::string& path) {
  if (path.size() < 3) return;
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
  if (endsInDotT(path)) {
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
