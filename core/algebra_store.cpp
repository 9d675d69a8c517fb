#include "core/algebra_store.h"

#include <algorithm>
#include <cstdint>
#include <new>

#include "core/limits.h"
#include "core/table_memory.h"

namespace kest {

namespace {

// Only for algebras small enough to be displayed (at most 62 elements).
void setDisplayedBox(const Workspace& ws, Algebra& a) {
  const int32_t n = a.card;
  a.boxWidth = 16 * n + 22;
  a.boxHeight = (16 * n + 20) * ws.sig.binaryCount + 36 * ws.sig.unaryCount + 16 * ws.sig.constantCount + 20;
}

void setHiddenBox(Algebra& a) {
  a.boxWidth = 70;
  a.boxHeight = 18;
}

// Makes a displayed or hidden by the flag, with the matching box, keeping
// displayedCount right; algebras above maxNamedElements stay hidden.
void setDisplayed(Workspace& ws, int32_t k, int32_t displayed) {
  Algebra& a = ws.algebra(k);
  if (displayed && a.card > ws.sig.maxNamedElements) displayed = 0;
  ws.displayedCount += displayed - a.displayed;
  a.displayed = displayed;
  if (displayed)
    setDisplayedBox(ws, a);
  else
    setHiddenBox(a);
}

int32_t allDefined(const std::vector<int32_t>& table, int64_t from, int64_t to) {
  return std::none_of(table.begin() + from, table.begin() + to, [](int32_t v) { return v == -1; }) ? 1 : 0;
}

}  // namespace

bool tableFits(const Workspace& ws, int64_t n) {
  if (n < 0 || n > kMaxCardinality) return false;
  const TableLayout lay{n, ws.sig.binaryCount, ws.sig.unaryCount, ws.sig.constantCount};
  return lay.size() <= kMaxTableEntries;
}

int64_t largestCard(const Workspace& ws) {
  int64_t low = 0;
  int64_t high = kMaxCardinality;
  while (low < high) {
    const int64_t mid = (low + high + 1) / 2;
    if (tableFits(ws, mid))
      low = mid;
    else
      high = mid - 1;
  }
  return low;
}

namespace {

// Appends a, whose card and table are set, as a new algebra shown or
// hidden by the flag; the marks and the layout as for a created one.
int32_t appendAlgebra(Workspace& ws, Algebra&& a, int32_t displayed) {
  a.displayed = displayed && a.card <= ws.sig.maxNamedElements ? 1 : 0;
  if (a.displayed)
    setDisplayedBox(ws, a);
  else
    setHiddenBox(a);
  a.id = ++ws.lastAlgebraId;
  ws.algebras.push_back(std::move(a));
  const int32_t k = ws.algebraCount() - 1;
  if (ws.redMarked == -1) ws.redMarked = k;
  if (ws.greenMarked == -1) ws.greenMarked = k;
  ws.displayedCount += ws.algebras.back().displayed;
  relayout(ws);
  ws.messages.clearMessages();
  return k;
}

}  // namespace

int32_t createAlgebra(Workspace& ws, int64_t n) {
  if (ws.algebraCount() >= kMaxAlgebras) return -1;
  if (!tableFits(ws, n)) throw std::bad_alloc();
  Algebra a;
  a.card = static_cast<int32_t>(n);
  const TableLayout lay{n, ws.sig.binaryCount, ws.sig.unaryCount, ws.sig.constantCount};
  assignTable(a.table, static_cast<size_t>(lay.size()), -1);
  for (int32_t b = 0; b < ws.sig.binaryCount; ++b) {
    if (!ws.sig.opIdempotent[b]) continue;
    for (int64_t x = 0; x < n; ++x) a.table[static_cast<size_t>(lay.binary(b, x, x))] = static_cast<int32_t>(x);
  }
  return appendAlgebra(ws, std::move(a), 1);
}

int32_t appendAlgebraWithTable(Workspace& ws, int64_t n, std::vector<int32_t>&& table) {
  if (ws.algebraCount() >= kMaxAlgebras) return -1;
  if (!tableFits(ws, n)) throw std::bad_alloc();
  const TableLayout lay{n, ws.sig.binaryCount, ws.sig.unaryCount, ws.sig.constantCount};
  if (static_cast<int64_t>(table.size()) != lay.size()) return -1;
  Algebra a;
  a.card = static_cast<int32_t>(n);
  a.table = std::move(table);
  return appendAlgebra(ws, std::move(a), 1);
}

int32_t copyAlgebra(Workspace& ws, int32_t k) {
  if (!ws.validAlgebra(k) || ws.algebraCount() >= kMaxAlgebras) return -1;
  const Algebra& old = ws.algebra(k);
  Algebra a;
  a.card = old.card;
  copyTable(a.table, old.table);  // the one new table; the old one stays where it is
  return appendAlgebra(ws, std::move(a), old.displayed);
}

int32_t extendAlgebra(Workspace& ws, int32_t k) {
  if (!ws.validAlgebra(k)) return -1;
  const int32_t n = ws.algebra(k).card;
  const int32_t c = createAlgebra(ws, int64_t{n} + 1);
  if (c < 0) return -1;
  const Algebra& old = ws.algebra(k);
  Algebra& a = ws.algebra(c);
  const TableLayout from = ws.layout(k);
  const TableLayout to = ws.layout(c);
  std::fill(a.table.begin(), a.table.end(), -1);
  for (int32_t b = 0; b < ws.sig.binaryCount; ++b) {
    for (int32_t x = 0; x < n; ++x) {
      std::copy_n(old.table.begin() + from.binary(b, x, 0), n, a.table.begin() + to.binary(b, x, 0));
    }
    if (ws.sig.opIdempotent[b]) a.table[static_cast<size_t>(to.binary(b, n, n))] = n;
  }
  const int32_t nb = ws.sig.binaryCount;
  for (int32_t u = nb; u < nb + ws.sig.unaryCount; ++u) {
    std::copy_n(old.table.begin() + from.unary(u, 0), n, a.table.begin() + to.unary(u, 0));
  }
  for (int32_t i = 0; i < ws.sig.constantCount; ++i) {
    a.table[static_cast<size_t>(to.constant(i))] = old.table[static_cast<size_t>(from.constant(i))];
  }
  setDisplayed(ws, c, old.displayed);
  relayout(ws);
  ws.messages.clearMessages();
  return c;
}

void deleteAlgebra(Workspace& ws, int32_t k) {
  if (!ws.validAlgebra(k)) return;
  ws.displayedCount -= ws.algebra(k).displayed;
  ws.algebras.erase(ws.algebras.begin() + k);
  const int32_t count = ws.algebraCount();
  for (int32_t* mark : {&ws.redMarked, &ws.greenMarked}) {
    if (*mark > k) --*mark;
    if (*mark >= count) *mark = 0;
    if (count == 0) *mark = -1;
  }
  // The space drawing follows its lattice, and goes with it.
  if (ws.space.owner == k)
    ws.space.owner = -1;
  else if (ws.space.owner > k)
    --ws.space.owner;
  ws.messages.clearMessages();
  relayout(ws);
}

void toggleDisplayed(Workspace& ws, int32_t k) {
  if (!ws.validAlgebra(k)) return;
  setDisplayed(ws, k, ws.algebra(k).displayed ? 0 : 1);
  relayout(ws);
}

int32_t isComplete(const Workspace& ws, int32_t k) {
  if (!ws.validAlgebra(k)) return 0;
  const std::vector<int32_t>& t = ws.algebra(k).table;
  return allDefined(t, 0, static_cast<int64_t>(t.size()));
}

int32_t isJoinComplete(const Workspace& ws, int32_t k) {
  if (!ws.validAlgebra(k) || ws.sig.op('+') != 0) return 0;
  const int64_t nn = static_cast<int64_t>(ws.algebra(k).card) * ws.algebra(k).card;
  return allDefined(ws.algebra(k).table, 0, nn);
}

int32_t isMeetComplete(const Workspace& ws, int32_t k) {
  const int32_t dot = ws.sig.op('.');
  if (!ws.validAlgebra(k) || (dot != 0 && dot != 1)) return 0;
  const int64_t nn = static_cast<int64_t>(ws.algebra(k).card) * ws.algebra(k).card;
  return allDefined(ws.algebra(k).table, dot * nn, (dot + 1) * nn);
}

int32_t isLatticeComplete(const Workspace& ws, int32_t k) {
  if (!ws.validAlgebra(k) || !ws.sig.latticeSignature) return 0;
  const int64_t nn = static_cast<int64_t>(ws.algebra(k).card) * ws.algebra(k).card;
  return allDefined(ws.algebra(k).table, 0, 2 * nn);
}

void relayout(Workspace& ws) {
  const int32_t lines = ws.terms.namedTermCount() + ws.terms.formulaListCount();
  ws.hiddenRowY = 16 * lines + 35;
  ws.displayedRowY = ws.hiddenRowY + (ws.algebraCount() > ws.displayedCount ? 25 : 0);
  int32_t hiddenX = 18;
  int32_t shownX = 18;
  for (Algebra& a : ws.algebras) {
    if (a.displayed) {
      a.x = shownX;
      a.y = ws.displayedRowY;
      shownX += a.boxWidth + 10;
    } else {
      a.x = hiddenX;
      a.y = ws.hiddenRowY;
      hiddenX += 72;
    }
  }
  ws.messageX = shownX;
  ws.messageY = ws.displayedRowY;
}

uint64_t algebraFingerprint(const Workspace& ws, int32_t k) {
  const Algebra& a = ws.algebra(k);
  uint64_t h = 0x9e3779b97f4a7c15ull ^ static_cast<uint64_t>(a.card);
  for (int32_t v : a.table) h = (h ^ static_cast<uint32_t>(v)) * 0x100000001b3ull;
  return h ^ (h >> 29) ^ (static_cast<uint64_t>(a.table.size()) << 7);
}

int32_t findAlgebraById(const Workspace& ws, uint64_t id) {
  for (int32_t k = 0; k < ws.algebraCount(); ++k) {
    if (ws.algebra(k).id == id) return k;
  }
  return -1;
}

}  // namespace kest
