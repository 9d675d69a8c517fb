#include "io/workspace_file.h"

#include <vector>

#include "core/algebra_store.h"
#include "core/element_names.h"
#include "core/limits.h"
#include "core/text_routines.h"
#include "io/file_io.h"
#include "terms/formula_parse.h"
#include "terms/term_parse.h"
#include "terms/term_print.h"

namespace kest {

namespace {

constexpr const char* kEnd = "\r\n";

}  // namespace

std::string signatureLine(const Signature& sig) {
  std::string line;
  for (int32_t op = 0; op < sig.operationCount; ++op) {
    line += sig.opSymbol[static_cast<size_t>(op)];
    if (sig.opArity[static_cast<size_t>(op)] != 2) continue;
    if (sig.opCommutative[static_cast<size_t>(op)]) line += 'c';
    if (sig.opIdempotent[static_cast<size_t>(op)]) line += 'i';
  }
  return line;
}

namespace {

// Reads one algebra block into a new algebra of staged; false when the
// block is not sound.
bool readAlgebraBlock(Workspace& staged, LineReader& lines) {
  const std::optional<std::string_view> cardLine = lines.next();
  if (!cardLine) return false;
  const int32_t n = readInteger(*cardLine);
  if (n < 0 || !tableFits(staged, n) || staged.algebraCount() >= kMaxAlgebras) return false;
  const int32_t k = createAlgebra(staged, n);
  Algebra& a = staged.algebras[static_cast<size_t>(k)];
  const Signature& sig = staged.sig;
  const int64_t rows = static_cast<int64_t>(sig.binaryCount) * n + sig.unaryCount;
  auto fill = [&](int64_t at, std::string_view line, int32_t count) {
    if (static_cast<int32_t>(line.size()) < count) return false;
    for (int32_t i = 0; i < count; ++i) {
      const int32_t e = elementOfName(line[static_cast<size_t>(i)], sig.maxNamedElements);
      a.table[static_cast<size_t>(at + i)] = (e >= 0 && e < n) ? e : -1;
    }
    return true;
  };
  for (int64_t r = 0; r < rows; ++r) {
    const std::optional<std::string_view> row = lines.next();
    if (!row || !fill(r * n, *row, n)) return false;
  }
  if (sig.constantCount > 0) {
    const std::optional<std::string_view> row = lines.next();
    if (!row || !fill(rows * n, *row, sig.constantCount)) return false;
  }
  return true;
}

}  // namespace

std::string workspaceFileText(const Workspace& ws) {
  const Signature& sig = ws.sig;
  std::string out = std::to_string(sig.operationCount) + " " + std::to_string(ws.terms.namedTermCount()) + " " +
                    std::to_string(ws.terms.formulaListCount()) + " " + std::to_string(ws.displayedCount) + kEnd;
  out += signatureLine(sig) + kEnd;
  for (int32_t t : ws.terms.namedTerms) out += printTermPolish(ws, t) + kEnd;
  for (int32_t f : ws.terms.formulaList) out += printFormula(ws, f, true) + kEnd;
  for (int32_t k = 0; k < ws.algebraCount(); ++k) {
    const Algebra& a = ws.algebras[static_cast<size_t>(k)];
    if (!a.displayed) continue;
    out += std::to_string(a.card) + kEnd;
    const int64_t rows = static_cast<int64_t>(sig.binaryCount) * a.card + sig.unaryCount;
    for (int64_t r = 0; r < rows; ++r) {
      for (int32_t i = 0; i < a.card; ++i) out += nameOfElement(a.table[static_cast<size_t>(r * a.card + i)], sig.maxNamedElements);
      out += kEnd;
    }
    if (sig.constantCount > 0) {
      for (int32_t c = 0; c < sig.constantCount; ++c) out += nameOfElement(a.table[static_cast<size_t>(rows * a.card + c)], sig.maxNamedElements);
      out += kEnd;
    }
  }
  return out;
}

LoadStatus loadWorkspaceText(Workspace& ws, std::string_view text) {
  LineReader lines(text);
  const std::optional<std::string_view> header = lines.next();
  std::vector<int32_t> counts;
  if (!header || readIntegerList(*header, counts) != 4) return LoadStatus::kRejected;
  const int32_t symbols = counts[0];
  const int32_t termCount = counts[1];
  const int32_t formulaCount = counts[2];
  const int32_t algebraBlocks = counts[3];
  if (termCount < 0 || termCount > kMaxNamedTerms || formulaCount < 0 || algebraBlocks < 0 ||
      algebraBlocks > kMaxAlgebras) {
    return LoadStatus::kRejected;
  }
  const std::optional<std::string_view> signature = lines.next();
  if (!signature) return LoadStatus::kRejected;

  // Everything is read into a workspace of its own first, so that a file
  // that turns out unsound leaves the current one untouched.
  Workspace staged;
  staged.signatureText = std::string(signature->substr(0, kMaxInputChars));
  std::string parsed = staged.signatureText;
  parseSignature(staged, parsed);
  staged.panel.open = false;
  staged.infoShown = ws.infoShown;
  if (staged.sig.operationCount != symbols) return LoadStatus::kRejected;
  for (int32_t i = 0; i < termCount; ++i) {
    const std::optional<std::string_view> line = lines.next();
    const int32_t t = line ? parseTermPolish(staged, *line) : -1;
    if (t < 0) return LoadStatus::kRejected;
    staged.terms.namedTerms.push_back(t);
  }
  for (int32_t j = 0; j < formulaCount; ++j) {
    const std::optional<std::string_view> line = lines.next();
    const int32_t f = line ? parseFormulaPolish(staged, *line) : -1;
    if (f < 0) return LoadStatus::kRejected;
    staged.terms.formulaList.push_back(f);
  }
  relayout(staged);
  for (int32_t k = 0; k < algebraBlocks; ++k) {
    if (!readAlgebraBlock(staged, lines)) return LoadStatus::kRejected;
  }
  // The message serial and the pointer carry over; everything else is new.
  staged.messages = ws.messages;
  staged.messages.clearMessages();
  staged.pointerX = ws.pointerX;
  staged.pointerY = ws.pointerY;
  ws = std::move(staged);
  return LoadStatus::kLoaded;
}

}  // namespace kest
