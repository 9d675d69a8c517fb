#include "structure/subuniverse.h"

#include <algorithm>

#include "core/algebra_store.h"
#include "core/limits.h"
#include "core/table_memory.h"

namespace kest {

namespace {

// Closes the members listed in list; those before firstNew are a closed
// set already, so only the later ones are combined (each with every member
// known when its turn comes: a pair is met when the later of two is
// processed). Once every element is in, nothing more can be added; once
// more than most are in, the caller has heard enough. False when the user
// stopped it.
bool closeFrom(const AlgebraView& a, std::vector<uint8_t>& members, std::vector<int32_t>& list, size_t firstNew,
               WorkPoll& poll, size_t most = SIZE_MAX) {
  const int32_t n = a.card();
  auto add = [&](int32_t e) {
    if (e < 0 || members[static_cast<size_t>(e)]) return;
    members[static_cast<size_t>(e)] = 1;
    list.push_back(e);
  };
  for (size_t next = firstNew; next < list.size() && static_cast<int32_t>(list.size()) < n && list.size() <= most;
       ++next) {
    if (poll.add(static_cast<int64_t>(next + 1) * a.binaryCount() + a.unaryCount() + 1)) return false;
    const int32_t z = list[next];
    for (int32_t b = 0; b < a.binaryCount(); ++b) {
      const int32_t* t = a.binaryTable(b);
      for (size_t i = 0; i <= next; ++i) {
        const int32_t m = list[i];
        add(t[static_cast<int64_t>(z) * n + m]);
        add(t[static_cast<int64_t>(m) * n + z]);
      }
    }
    for (int32_t u = a.binaryCount(); u < a.binaryCount() + a.unaryCount(); ++u) add(a.unary(u, z));
  }
  return true;
}

// Adds the defined constants' values that are not members yet.
void addConstants(const AlgebraView& a, std::vector<uint8_t>& members, std::vector<int32_t>& list) {
  for (int32_t c = 0; c < a.constantCount(); ++c) {
    const int32_t v = a.constant(c);
    if (v >= 0 && !members[static_cast<size_t>(v)]) {
      members[static_cast<size_t>(v)] = 1;
      list.push_back(v);
    }
  }
}

}  // namespace

bool closeSubuniverse(const AlgebraView& a, std::vector<uint8_t>& members, Progress& progress) {
  std::vector<int32_t> list = memberList(members);
  addConstants(a, members, list);
  WorkPoll poll(progress);
  return closeFrom(a, members, list, 0, poll);
}

bool extendSubuniverse(const AlgebraView& a, std::vector<uint8_t>& members, int32_t e, Progress& progress) {
  if (members[static_cast<size_t>(e)]) return true;
  std::vector<int32_t> list = memberList(members);
  const size_t closed = list.size();
  members[static_cast<size_t>(e)] = 1;
  list.push_back(e);
  WorkPoll poll(progress);
  return closeFrom(a, members, list, closed, poll);
}

std::optional<std::vector<int32_t>> smallOneGenerated(const AlgebraView& a, int32_t e, size_t most,
                                                      std::vector<uint8_t>& flags, WorkPoll& poll) {
  std::vector<int32_t> list{e};
  flags[static_cast<size_t>(e)] = 1;
  addConstants(a, flags, list);
  const bool finished = closeFrom(a, flags, list, 0, poll, most);
  for (int32_t m : list) flags[static_cast<size_t>(m)] = 0;
  if (!finished || list.size() > most) return std::nullopt;
  std::sort(list.begin(), list.end());
  return list;
}

std::vector<int32_t> memberList(const std::vector<uint8_t>& members) {
  std::vector<int32_t> out;
  for (size_t e = 0; e < members.size(); ++e) {
    if (members[e]) out.push_back(static_cast<int32_t>(e));
  }
  return out;
}

int32_t appendSubalgebra(Workspace& ws, int32_t k, const std::vector<int32_t>& members) {
  const int32_t n = ws.algebra(k).card;
  std::vector<int32_t> number(static_cast<size_t>(n), -1);
  for (size_t i = 0; i < members.size(); ++i) number[static_cast<size_t>(members[i])] = static_cast<int32_t>(i);
  const int32_t s = createAlgebra(ws, static_cast<int32_t>(members.size()));
  if (s < 0) return -1;
  const Algebra& from = ws.algebra(k);
  Algebra& to = ws.algebra(s);
  const TableLayout src = ws.layout(k);
  const TableLayout dst = ws.layout(s);
  auto renumber = [&](int32_t v) { return v < 0 ? -1 : number[static_cast<size_t>(v)]; };
  const int32_t m = static_cast<int32_t>(members.size());
  for (int32_t b = 0; b < ws.sig.binaryCount; ++b) {
    for (int32_t i = 0; i < m; ++i) {
      for (int32_t j = 0; j < m; ++j) {
        to.table[static_cast<size_t>(dst.binary(b, i, j))] =
            renumber(from.table[static_cast<size_t>(src.binary(b, members[i], members[j]))]);
      }
    }
  }
  for (int32_t u = ws.sig.binaryCount; u < ws.sig.binaryCount + ws.sig.unaryCount; ++u) {
    for (int32_t i = 0; i < m; ++i) {
      to.table[static_cast<size_t>(dst.unary(u, i))] =
          renumber(from.table[static_cast<size_t>(src.unary(u, members[i]))]);
    }
  }
  for (int32_t c = 0; c < ws.sig.constantCount; ++c) {
    to.table[static_cast<size_t>(dst.constant(c))] = renumber(from.table[static_cast<size_t>(src.constant(c))]);
  }
  return s;
}

namespace {

// The componentwise value of two factor entries, or -1.
int64_t pairOf(int32_t x, int32_t y, int32_t m) { return (x < 0 || y < 0) ? -1 : static_cast<int64_t>(x) * m + y; }

}  // namespace

std::optional<std::vector<int64_t>> closePairs(const AlgebraView& A, const AlgebraView& B,
                                               const std::vector<int64_t>& generators, Progress& progress,
                                               int64_t maxPairs) {
  const int32_t n = A.card();
  const int32_t m = B.card();
  std::vector<uint8_t> member(static_cast<size_t>(static_cast<int64_t>(n) * m), 0);
  std::vector<int64_t> list;
  auto add = [&](int64_t p) {
    if (p < 0 || member[static_cast<size_t>(p)]) return;
    member[static_cast<size_t>(p)] = 1;
    list.push_back(p);
  };
  for (int64_t g : generators) add(g);
  for (int32_t c = 0; c < A.constantCount(); ++c) add(pairOf(A.constant(c), B.constant(c), m));
  WorkPoll poll(progress);
  for (size_t next = 0; next < list.size(); ++next) {
    // Past the most that can be stored the closure ends: the caller refuses.
    if (static_cast<int64_t>(list.size()) > maxPairs) return list;
    if (poll.add(1 + static_cast<int64_t>(next) * A.binaryCount())) return std::nullopt;
    const int32_t px = static_cast<int32_t>(list[next] / m);
    const int32_t py = static_cast<int32_t>(list[next] % m);
    for (int32_t op = 0; op < A.binaryCount(); ++op) {
      const int32_t* ta = A.binaryTable(op);
      const int32_t* tb = B.binaryTable(op);
      for (size_t i = 0; i <= next; ++i) {
        const int32_t qx = static_cast<int32_t>(list[i] / m);
        const int32_t qy = static_cast<int32_t>(list[i] % m);
        add(pairOf(ta[static_cast<int64_t>(px) * n + qx], tb[static_cast<int64_t>(py) * m + qy], m));
        add(pairOf(ta[static_cast<int64_t>(qx) * n + px], tb[static_cast<int64_t>(qy) * m + py], m));
      }
    }
    for (int32_t u = A.binaryCount(); u < A.binaryCount() + A.unaryCount(); ++u) {
      add(pairOf(A.unary(u, px), B.unary(u, py), m));
    }
  }
  if (static_cast<int64_t>(list.size()) > maxPairs) return list;
  std::sort(list.begin(), list.end());
  return list;
}

// The most pairs a dense index of a subproduct covers (256 MB).
constexpr int64_t kMaxDenseIndex = int64_t{1} << 26;

int32_t appendSubproduct(Workspace& ws, int32_t a, int32_t b, const std::vector<int64_t>& pairs) {
  if (ws.algebraCount() >= kMaxAlgebras) return -1;
  const int32_t n = ws.algebra(a).card;
  const int32_t m = ws.algebra(b).card;
  const int32_t size = static_cast<int32_t>(pairs.size());
  if (!tableFits(ws, size)) throw std::bad_alloc();
  const Algebra& A = ws.algebra(a);
  const Algebra& B = ws.algebra(b);
  const TableLayout la = ws.layout(a);
  const TableLayout lb = ws.layout(b);
  const TableLayout lp{size, ws.sig.binaryCount, ws.sig.unaryCount, ws.sig.constantCount};
  const bool all = static_cast<int64_t>(size) == static_cast<int64_t>(n) * m;
  // Pair index -> new element: itself for the whole product, else a dense
  // index where it fits and a binary search in the sorted pairs beyond.
  std::vector<int32_t> dense;
  if (!all && static_cast<int64_t>(n) * m <= kMaxDenseIndex) {
    dense.assign(static_cast<size_t>(static_cast<int64_t>(n) * m), -1);
    for (int32_t i = 0; i < size; ++i) dense[static_cast<size_t>(pairs[static_cast<size_t>(i)])] = i;
  }
  auto number = [&](int64_t p) -> int32_t {
    if (p < 0 || all) return static_cast<int32_t>(p);
    if (!dense.empty()) return dense[static_cast<size_t>(p)];
    auto it = std::lower_bound(pairs.begin(), pairs.end(), p);
    return (it != pairs.end() && *it == p) ? static_cast<int32_t>(it - pairs.begin()) : -1;
  };
  auto element = [&](int32_t x, int32_t y) { return number(pairOf(x, y, m)); };
  std::vector<int32_t> px(static_cast<size_t>(size));
  std::vector<int32_t> py(static_cast<size_t>(size));
  for (int32_t i = 0; i < size; ++i) {
    px[static_cast<size_t>(i)] = static_cast<int32_t>(pairs[static_cast<size_t>(i)] / m);
    py[static_cast<size_t>(i)] = static_cast<int32_t>(pairs[static_cast<size_t>(i)] % m);
  }
  // The table is written once, row after row, into fresh memory: each row
  // is made in a small buffer and appended.
  std::vector<int32_t> table;
  reserveTable(table, static_cast<size_t>(lp.size()));
  std::vector<int32_t> row(static_cast<size_t>(size));
  for (int32_t op = 0; op < ws.sig.binaryCount; ++op) {
    for (int32_t i = 0; i < size; ++i) {
      const int32_t* rowA = A.table.data() + la.binary(op, px[static_cast<size_t>(i)], 0);
      const int32_t* rowB = B.table.data() + lb.binary(op, py[static_cast<size_t>(i)], 0);
      if (all) {
        // Row (x1, y1) of A x B: block x2 holds x1x2 * m + y1y2 for every y2.
        for (int32_t x2 = 0; x2 < n; ++x2) {
          const int32_t u = rowA[x2];
          int32_t* block = row.data() + static_cast<int64_t>(x2) * m;
          if (u < 0) {
            std::fill(block, block + m, -1);
            continue;
          }
          const int32_t base = u * m;
          for (int32_t y2 = 0; y2 < m; ++y2) block[y2] = rowB[y2] < 0 ? -1 : base + rowB[y2];
        }
      } else {
        for (int32_t j = 0; j < size; ++j)
          row[static_cast<size_t>(j)] = element(rowA[px[static_cast<size_t>(j)]], rowB[py[static_cast<size_t>(j)]]);
      }
      table.insert(table.end(), row.begin(), row.end());
    }
  }
  for (int32_t u = ws.sig.binaryCount; u < ws.sig.binaryCount + ws.sig.unaryCount; ++u) {
    for (int32_t i = 0; i < size; ++i) {
      table.push_back(element(A.table[static_cast<size_t>(la.unary(u, px[static_cast<size_t>(i)]))],
                              B.table[static_cast<size_t>(lb.unary(u, py[static_cast<size_t>(i)]))]));
    }
  }
  for (int32_t c = 0; c < ws.sig.constantCount; ++c) {
    table.push_back(
        element(A.table[static_cast<size_t>(la.constant(c))], B.table[static_cast<size_t>(lb.constant(c))]));
  }
  return appendAlgebraWithTable(ws, size, std::move(table));
}

}  // namespace kest
