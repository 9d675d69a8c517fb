// Fuzz target: the single-algebra file reader, in a signature with binary,
// unary and constant symbols. A refused file appends nothing; a loaded
// algebra is written and read back to the same table.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/workspace.h"
#include "io/algebra_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  kest::Workspace ws;
  std::string sig = ".c - 0";
  kest::parseSignature(ws, sig);
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string why;
  if (kest::appendAlgebraText(ws, text, &why) != kest::AppendStatus::kAppended) {
    if (ws.algebraCount() != 0) std::abort();
    return 0;
  }
  const std::string written = kest::singleAlgebraText(ws, 0);
  if (kest::appendAlgebraText(ws, written, &why) != kest::AppendStatus::kAppended) std::abort();
  if (ws.algebra(1).table != ws.algebra(0).table) std::abort();
  return 0;
}
