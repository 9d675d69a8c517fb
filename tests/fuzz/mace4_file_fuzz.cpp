// Fuzz target: the Mace4 model reader and the matching of its functions.
// A refused file appends nothing; a loaded one appends one algebra per
// interpretation.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/workspace.h"
#include "io/foreign_algebra.h"
#include "io/mace4_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  kest::Workspace ws;
  std::string sig = ". - 0";
  kest::parseSignature(ws, sig);
  std::string why;
  const auto models = kest::readMace4Text(std::string_view(reinterpret_cast<const char*>(data), size), why);
  if (!models) return 0;
  const bool added = kest::appendForeignAlgebras(ws, *models, "", why).has_value();
  if (ws.algebraCount() != (added ? static_cast<int32_t>(models->size()) : 0)) std::abort();
  return 0;
}
