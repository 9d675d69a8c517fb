// Fuzz target: the workspace file reader. A file is either refused with a
// reason and changes nothing, or loaded and written back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/workspace.h"
#include "io/workspace_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  kest::Workspace ws;
  std::string sig = "L";
  kest::parseSignature(ws, sig);
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string why;
  if (kest::loadWorkspaceText(ws, text, &why) == kest::LoadStatus::kRejected) {
    if (why.empty() || ws.algebraCount() != 0 || ws.sig.latticeSignature != 1) std::abort();
    return 0;
  }
  const std::string written = kest::workspaceFileText(ws);
  kest::Workspace again;
  if (kest::loadWorkspaceText(again, written, &why) != kest::LoadStatus::kLoaded) std::abort();
  return 0;
}
