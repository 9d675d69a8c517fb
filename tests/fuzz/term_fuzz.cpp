// Fuzz target: the term, equation and formula readers, in both notations.
// The first byte picks a signature; what parses is printed and read back,
// which must give a term again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/workspace.h"
#include "terms/formula_parse.h"
#include "terms/term_parse.h"
#include "terms/term_print.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static const char* const kSignatures[] = {".", "+ -", "L01", "+c .c - 0 1", ". / \\ : + - * | $ #", "-"};
  kest::Workspace ws;
  std::string sig = kSignatures[data[0] % 6];
  kest::parseSignature(ws, sig);
  ws.polishNotation = (data[0] >> 3) & 1;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const int32_t t = kest::parseTerm(ws, text);
  if (t >= 0) {
    const std::string printed = ws.polishNotation ? kest::printTermPolish(ws, t) : kest::printTermInfix(ws, t);
    if (kest::parseTerm(ws, printed) < 0) std::abort();  // a printed term reads back
  }
  kest::parseEquation(ws, text);
  kest::parseTermPolish(ws, text);
  kest::parseFormulaPolish(ws, text);
  return 0;
}
