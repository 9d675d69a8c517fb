#include "io/workspace_file.h"

#include <vector>

#include "core/algebra_store.h"
#include "core/element_names.h"
#include "core/limits.h"
#include "core/text_routines.h"
#include "io/algebra_file.h"
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

std::string at(const LineReader& lines) { return "line " + std::to_string(lines.lineNumber()) + ": "; }

// Reads one algebra block into a new algebra of staged; false with the
// reason in why when the block is not sound. The text still unread bounds
// what is allocated: every entry is one character of it.
bool readAlgebraBlock(Workspace& staged, LineReader& lines, int64_t bytesLeft, std::string& why) {
  const std::optional<std::string_view> cardLine = lines.next();
  if (!cardLine) {
    why = "the file ends before an algebra it announces";
    return false;
  }
  int64_t n = 0;
  const std::string cardText(skipBlanks(*cardLine));
  if (!readCardinality(cardText, n)) {
    why = at(lines) + "'" + cardText.substr(0, 20) + "' is not a number of elements from 0 to " +
          std::to_string(kMaxCardinality);
    return false;
  }
  const Signature& sig = staged.sig;
  const TableLayout lay{n, sig.binaryCount, sig.unaryCount, sig.constantCount};
  if (!tableFits(staged, n) || lay.size() > bytesLeft) {
    why = at(lines) + "the file is too short for " + std::to_string(n) + " elements";
    return false;
  }
  if (staged.algebraCount() >= kMaxAlgebras) {
    why = at(lines) + "more algebras than the store holds";
    return false;
  }
  const int32_t k = createAlgebra(staged, n);
  Algebra& a = staged.algebra(k);
  // The rows of an empty algebra are empty lines, which the line reader
  // skips like every blank line: there is nothing to read for them.
  const int64_t rows = n == 0 ? 0 : static_cast<int64_t>(sig.binaryCount) * n + sig.unaryCount;
  auto fill = [&](int64_t start, int64_t count) {
    const std::optional<std::string_view> line = lines.next();
    if (!line) {
      why = "the file ends before the table does";
      return false;
    }
    if (static_cast<int64_t>(line->size()) < count) {
      why = at(lines) + "expected " + std::to_string(count) + " entries, found " + std::to_string(line->size());
      return false;
    }
    for (int64_t i = 0; i < count; ++i) {
      const char c = (*line)[static_cast<size_t>(i)];
      const int32_t e = elementOfName(c, sig.maxNamedElements);
      if (c != '.' && (e < 0 || e >= n)) {
        why =
            at(lines) + "'" + std::string(1, c) + "' is not an element of a " + std::to_string(n) + "-element algebra";
        return false;
      }
      a.table[static_cast<size_t>(start + i)] = c == '.' ? -1 : e;
    }
    return true;
  };
  for (int64_t r = 0; r < rows; ++r) {
    if (!fill(r * n, n)) return false;
  }
  return sig.constantCount == 0 || fill(rows * n, sig.constantCount);
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
    const Algebra& a = ws.algebra(k);
    if (!a.displayed) continue;
    out += std::to_string(a.card) + kEnd;
    const int64_t rows = static_cast<int64_t>(sig.binaryCount) * a.card + sig.unaryCount;
    for (int64_t r = 0; r < rows; ++r) {
      for (int32_t i = 0; i < a.card; ++i)
        out += nameOfElement(a.table[static_cast<size_t>(r * a.card + i)], sig.maxNamedElements);
      out += kEnd;
    }
    if (sig.constantCount > 0) {
      for (int32_t c = 0; c < sig.constantCount; ++c)
        out += nameOfElement(a.table[static_cast<size_t>(rows * a.card + c)], sig.maxNamedElements);
      out += kEnd;
    }
  }
  return out;
}

LoadStatus loadWorkspaceText(Workspace& ws, std::string_view text, std::string* why) {
  std::string reason;
  auto refuse = [&](std::string r) {
    if (why) *why = std::move(r);
    return LoadStatus::kRejected;
  };
  LineReader lines(text);
  const std::optional<std::string_view> header = lines.next();
  std::vector<int32_t> counts;
  if (!header || readIntegerList(*header, counts) != 4) return refuse("line 1: the header is not four numbers");
  const int32_t symbols = counts[0];
  const int32_t termCount = counts[1];
  const int32_t formulaCount = counts[2];
  const int32_t algebraBlocks = counts[3];
  if (termCount < 0 || termCount > kMaxNamedTerms) return refuse("line 1: more named terms than the list holds");
  if (formulaCount < 0 || formulaCount > static_cast<int64_t>(text.size()))
    return refuse("line 1: more formulas than the file holds");
  if (algebraBlocks < 0 || algebraBlocks > kMaxAlgebras) return refuse("line 1: more algebras than the store holds");
  const std::optional<std::string_view> signature = lines.next();
  if (!signature) return refuse("the file ends after its header");

  // Everything is read into a workspace of its own first, so that a file
  // that turns out unsound leaves the current one untouched.
  Workspace staged;
  staged.signatureText = std::string(signature->substr(0, kMaxInputChars));
  std::string parsed = staged.signatureText;
  parseSignature(staged, parsed);
  staged.panel.open = false;
  staged.infoShown = ws.infoShown;
  if (staged.sig.operationCount != symbols) {
    return refuse("line " + std::to_string(lines.lineNumber()) + ": the signature has " +
                  std::to_string(staged.sig.operationCount) + " symbols, the header says " + std::to_string(symbols));
  }
  for (int32_t i = 0; i < termCount; ++i) {
    const std::optional<std::string_view> line = lines.next();
    if (!line) return refuse("the file ends before the terms it announces");
    const int32_t t = parseTermPolish(staged, *line);
    if (t < 0) return refuse(at(lines) + "not a term of the signature");
    staged.terms.namedTerms.push_back(t);
  }
  for (int32_t j = 0; j < formulaCount; ++j) {
    const std::optional<std::string_view> line = lines.next();
    if (!line) return refuse("the file ends before the formulas it announces");
    const int32_t f = parseFormulaPolish(staged, *line);
    if (f < 0) return refuse(at(lines) + "not a formula of the signature");
    staged.terms.formulaList.push_back(f);
  }
  relayout(staged);
  for (int32_t k = 0; k < algebraBlocks; ++k) {
    if (!readAlgebraBlock(staged, lines, static_cast<int64_t>(text.size()), reason)) return refuse(reason);
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
