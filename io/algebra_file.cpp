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
  Algebra& a = ws.algebras[static_cast<size_t>(k)];
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
  const Algebra& a = ws.algebras[static_cast<size_t>(k)];
  appendInt32(out, a.card);
  out.reserve(out.size() + 4 * a.table.size());
  for (int32_t v : a.table) appendInt32(out, v);
  return out;
}

AppendStatus appendAlgebraText(Workspace& ws, std::string_view text) {
  LineReader lines(text);
  std::vector<int32_t> numbers;
  const std::optional<std::string_view> head = lines.next();
  if (!head || readIntegerList(*head, numbers) != 4) return AppendStatus::kRejected;
  const std::optional<std::string_view> signature = lines.next();
  if (!signature || !sameSymbols(ws.sig, *signature)) return AppendStatus::kRejected;
  const std::optional<std::string_view> cardLine = lines.next();
  if (!cardLine) return AppendStatus::kRejected;
  const int32_t n = readInteger(*cardLine);
  if (n < 0 || !tableFits(ws, n)) return AppendStatus::kRejected;
  // The whole table is read before the store is touched.
  const TableLayout lay{n, ws.sig.binaryCount, ws.sig.unaryCount, ws.sig.constantCount};
  std::vector<int32_t> table;
  table.reserve(static_cast<size_t>(lay.size()));
  auto readRow = [&](int32_t count) {
    const std::optional<std::string_view> line = lines.next();
    if (!line || readIntegerList(*line, numbers) != count) return false;
    for (int32_t v : numbers) table.push_back(v >= -1 && v < n ? v : -1);
    return true;
  };
  const int64_t rows = static_cast<int64_t>(ws.sig.binaryCount) * n + ws.sig.unaryCount;
  for (int64_t r = 0; r < rows; ++r) {
    if (!readRow(n)) return AppendStatus::kRejected;
  }
  if (ws.sig.constantCount > 0 && !readRow(ws.sig.constantCount)) return AppendStatus::kRejected;
  if (ws.algebraCount() >= kMaxAlgebras) return AppendStatus::kStoreFull;
  const int32_t k = createAlgebra(ws, n);
  ws.algebras[static_cast<size_t>(k)].table = std::move(table);
  complete(ws, k);
  return AppendStatus::kAppended;
}

}  // namespace kest
