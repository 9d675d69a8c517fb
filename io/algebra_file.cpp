#include "io/algebra_file.h"

#include <vector>

#include "core/algebra_store.h"
#include "core/limits.h"
#include "core/signature.h"
#include "core/text_routines.h"
#include "io/algebra_text.h"
#include "io/file_io.h"
#include "io/workspace_file.h"

namespace kest {

namespace {

std::string header(const Workspace& ws) { return std::to_string(ws.sig.operationCount) + " 0 0 1"; }

void appendInt32(std::string& out, int32_t v) {
  const auto u = static_cast<uint32_t>(v);
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((u >> shift) & 0xff);
}

// The signature line names exactly the current symbols (order and flags
// are not compared).
bool sameSymbols(const Signature& sig, std::string_view line) {
  int32_t count = 0;
  for (char c : line) {
    if (!isBinarySymbolChar(c) && !isUnarySymbolChar(c) && !isConstantSymbolChar(c)) continue;
    if (sig.arity(c) < 0) return false;
    ++count;
  }
  return count == sig.operationCount;
}

void complete(Workspace& ws, int32_t k) {
  Algebra& a = ws.algebra(k);
  const TableLayout lay = ws.layout(k);
  for (int32_t b = 0; b < ws.sig.binaryCount; ++b) {
    if (ws.sig.opIdempotent[static_cast<size_t>(b)]) {
      for (int32_t i = 0; i < a.card; ++i) a.table[static_cast<size_t>(lay.binary(b, i, i))] = i;
    }
    if (ws.sig.opCommutative[static_cast<size_t>(b)]) {
      for (int32_t r = 0; r < a.card; ++r) {
        for (int32_t c = r + 1; c < a.card; ++c) {
          a.table[static_cast<size_t>(lay.binary(b, r, c))] = a.table[static_cast<size_t>(lay.binary(b, c, r))];
        }
      }
    }
  }
}

}  // namespace

std::string singleAlgebraText(const Workspace& ws, int32_t k) {
  std::string out = header(ws) + "\r\n" + signatureLine(ws.sig) + "\r\n";
  for (const std::string& line : algebraTextLines(ws, k)) out += line + "\r\n";
  return out;
}

std::string binaryAlgebraData(const Workspace& ws, int32_t k) {
  std::string out;
  for (int32_t v : {ws.sig.operationCount, 0, 0, 1}) appendInt32(out, v);
  for (int32_t op = 0; op < ws.sig.operationCount; ++op) out += ws.sig.opSymbol[static_cast<size_t>(op)];
  const Algebra& a = ws.algebra(k);
  appendInt32(out, a.card);
  out.reserve(out.size() + 4 * a.table.size());
  for (int32_t v : a.table) appendInt32(out, v);
  return out;
}

namespace {

// A table entry of a single-algebra file: a decimal number, -1 or an
// element of the algebra; anything else is reported.
bool readEntry(std::string_view token, int64_t n, int32_t& value) {
  std::string_view digits = token;
  const bool negative = !digits.empty() && digits.front() == '-';
  if (negative) digits.remove_prefix(1);
  if (digits.empty() || digits.size() > 10) return false;
  int64_t v = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  if (negative) v = -v;
  if (v < -1 || v >= n) return false;
  value = static_cast<int32_t>(v);
  return true;
}

bool isFieldBlank(char c) { return c == ' ' || c == '\t'; }

// Reads one row of count entries onto the end of table; false with the
// reason in why.
bool readRow(LineReader& lines, int64_t count, int64_t n, std::vector<int32_t>& table, std::string& why) {
  const std::optional<std::string_view> line = lines.next();
  if (!line) {
    why = "the file ends before the table does";
    return false;
  }
  const std::string where = "line " + std::to_string(lines.lineNumber()) + ": ";
  int64_t found = 0;
  size_t i = 0;
  const std::string_view text = *line;
  while (true) {
    while (i < text.size() && isFieldBlank(text[i])) ++i;
    if (i == text.size()) break;
    const size_t start = i;
    while (i < text.size() && !isFieldBlank(text[i])) ++i;
    const std::string_view token = text.substr(start, i - start);
    int32_t v = -1;
    if (!readEntry(token, n, v)) {
      why = where + "'" + std::string(token.substr(0, 20)) + "' is not an element of a " + std::to_string(n) +
            "-element algebra";
      return false;
    }
    if (++found > count) break;
    table.push_back(v);
  }
  if (found != count) {
    why = where + "expected " + std::to_string(count) + " entries, found " +
          (found > count ? "more" : std::to_string(found));
    return false;
  }
  return true;
}

}  // namespace

AppendStatus appendAlgebraText(Workspace& ws, std::string_view text, std::string* why) {
  std::string reason;
  auto refuse = [&](std::string r) {
    if (why) *why = std::move(r);
    return AppendStatus::kRejected;
  };
  LineReader lines(text);
  std::vector<int32_t> numbers;
  const std::optional<std::string_view> head = lines.next();
  if (!head || readIntegerList(*head, numbers) != 4) return refuse("line 1: the header is not four numbers");
  const std::optional<std::string_view> signature = lines.next();
  if (!signature) return refuse("the file ends after its header");
  if (!sameSymbols(ws.sig, *signature)) {
    return refuse("line " + std::to_string(lines.lineNumber()) + ": the symbols are not those of the signature");
  }
  const std::optional<std::string_view> cardLine = lines.next();
  if (!cardLine) return refuse("the file ends before the number of elements");
  int64_t n = 0;
  const std::string cardText(skipBlanks(*cardLine));
  if (!readCardinality(cardText, n)) {
    return refuse("line " + std::to_string(lines.lineNumber()) + ": '" + cardText.substr(0, 20) +
                  "' is not a number of elements from 0 to " + std::to_string(kMaxCardinality));
  }
  if (!tableFits(ws, n)) {
    return refuse("line " + std::to_string(lines.lineNumber()) + ": the tables of " + std::to_string(n) +
                  " elements are larger than an algebra can have");
  }
  // Every entry takes at least two bytes (a digit and a blank or line end):
  // a file too short for its table is refused before the table is had.
  const TableLayout lay{n, ws.sig.binaryCount, ws.sig.unaryCount, ws.sig.constantCount};
  if (lay.size() > static_cast<int64_t>(text.size()) / 2) {
    return refuse("the file is too short for " + std::to_string(n) + " elements");
  }
  // The whole table is read before the store is touched.
  std::vector<int32_t> table;
  table.reserve(static_cast<size_t>(lay.size()));
  // The rows of an empty algebra are empty lines, which the line reader
  // skips like every blank line: there is nothing to read for them.
  const int64_t rows = n == 0 ? 0 : static_cast<int64_t>(ws.sig.binaryCount) * n + ws.sig.unaryCount;
  for (int64_t r = 0; r < rows; ++r) {
    if (!readRow(lines, n, n, table, reason)) return refuse(reason);
  }
  if (ws.sig.constantCount > 0 && !readRow(lines, ws.sig.constantCount, n, table, reason)) return refuse(reason);
  if (ws.algebraCount() >= kMaxAlgebras) return AppendStatus::kStoreFull;
  const int32_t k = createAlgebra(ws, n);
  ws.algebra(k).table = std::move(table);
  complete(ws, k);
  return AppendStatus::kAppended;
}

bool readCardinality(std::string_view text, int64_t& n) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  if (text.empty() || text.size() > 10) return false;
  n = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    n = n * 10 + (c - '0');
  }
  return n <= kMaxCardinality;
}

}  // namespace kest
