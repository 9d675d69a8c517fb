// Fuzz target: UACalc's .ua reader and the matching of its operations, in
// a signature with binary, unary and constant symbols. A refused file
// appends nothing; a loaded algebra is written as .ua and read back to the
// same table.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/workspace.h"
#include "io/foreign_algebra.h"
#include "io/ua_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  kest::Workspace ws;
  std::string sig = ".c - 0";
  kest::parseSignature(ws, sig);
  std::string why;
  const auto algebras = kest::readUaText(std::string_view(reinterpret_cast<const char*>(data), size), why);
  if (!algebras) return 0;
  if (!kest::appendForeignAlgebras(ws, *algebras, "", why)) {
    if (ws.algebraCount() != 0) std::abort();
    return 0;
  }
  const int32_t first = ws.algebraCount();
  const auto back = kest::readUaText(kest::uaText(ws, 0), why);
  if (!back || !kest::appendForeignAlgebras(ws, *back, "", why)) std::abort();
  if (ws.algebra(first).table != ws.algebra(0).table) std::abort();
  return 0;
}
