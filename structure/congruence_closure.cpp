#include "structure/congruence_closure.h"

#include <algorithm>
#include <unordered_map>

#include "core/algebra_store.h"
#include "core/table_memory.h"

namespace kest {

namespace {

// Whether x * y = y * x throughout, compared in tiles for the cache.
bool symmetric(const int32_t* table, int32_t n) {
  constexpr int32_t kTile = 64;
  for (int32_t xb = 0; xb < n; xb += kTile) {
    for (int32_t yb = xb; yb < n; yb += kTile) {
      const int32_t xe = std::min(n, xb + kTile);
      const int32_t ye = std::min(n, yb + kTile);
      for (int32_t x = xb; x < xe; ++x) {
        for (int32_t y = std::max(yb, x + 1); y < ye; ++y) {
          if (table[static_cast<int64_t>(x) * n + y] != table[static_cast<int64_t>(y) * n + x]) return false;
        }
      }
    }
  }
  return true;
}

}  // namespace

Translations translationsOf(const Workspace& ws, int32_t k) {
  const Algebra& a = ws.algebras[static_cast<size_t>(k)];
  const int32_t n = a.card;
  const TableLayout lay = ws.layout(k);
  const int64_t nn = static_cast<int64_t>(n) * n;
  Translations t;
  for (int32_t b = 0; b < ws.sig.binaryCount; ++b) {
    const int32_t* table = a.table.data() + lay.binary(b, 0, 0);
    t.rows.push_back(table);
    // Column translations are row translations when the table is symmetric
    // (flagged commutative, or found so).
    if (ws.sig.opCommutative[static_cast<size_t>(b)] || symmetric(table, n)) continue;
    std::unique_ptr<int32_t[]> c = std::make_unique_for_overwrite<int32_t[]>(static_cast<size_t>(nn));
    adviseHugePages(c.get(), static_cast<size_t>(nn) * sizeof(int32_t));
    // In tiles, so that both the rows read and the rows written stay in
    // the cache: a table of millions of entries transposes at memory speed.
    constexpr int32_t kTile = 64;
    for (int32_t xb = 0; xb < n; xb += kTile) {
      for (int32_t yb = 0; yb < n; yb += kTile) {
        const int32_t xe = std::min(n, xb + kTile);
        const int32_t ye = std::min(n, yb + kTile);
        for (int32_t x = xb; x < xe; ++x) {
          for (int32_t y = yb; y < ye; ++y) c[static_cast<size_t>(y) * n + x] = table[static_cast<int64_t>(x) * n + y];
        }
      }
    }
    t.columns.push_back(std::move(c));
  }
  for (int32_t u = ws.sig.binaryCount; u < ws.sig.binaryCount + ws.sig.unaryCount; ++u) {
    t.unary.push_back(a.table.data() + lay.unary(u, 0));
  }
  return t;
}

CompleteClosure::CompleteClosure(const Workspace& ws, int32_t k, Progress& progress)
    : n_(ws.algebras[static_cast<size_t>(k)].card), progress_(progress), translations_(translationsOf(ws, k)) {}

// Every union adds an edge of a spanning forest of the classes; closing
// under the translations of those edges closes under all of them. Polls
// about every million steps.
Partition CompleteClosure::close(const Partition& p) const {
  UnionFind uf(n_);
  std::vector<std::pair<int32_t, int32_t>> work;
  auto join = [&](int32_t x, int32_t y) {
    if (uf.unite(x, y)) work.emplace_back(x, y);
    return true;
  };
  for (int32_t i = 0; i < n_; ++i) join(i, p[static_cast<size_t>(i)]);
  WorkPoll poll(progress_);
  while (!work.empty()) {
    if (poll.add(n_ + 16)) break;
    const auto [u, v] = work.back();
    work.pop_back();
    translatePair(translations_, n_, u, v, join);
  }
  return uf.canonicalPartition();
}

namespace {

// The partial closure: passes over the defined entries until no pass joins
// two classes; in a pass, the defined values of all entries whose two
// arguments lie in the same pair of classes are joined.
bool closePartial(const Workspace& ws, int32_t k, Partition& p, Progress& progress) {
  const Algebra& a = ws.algebras[static_cast<size_t>(k)];
  const int32_t n = a.card;
  const TableLayout lay = ws.layout(k);
  UnionFind uf(n);
  for (int32_t i = 0; i < n; ++i) uf.unite(i, p[static_cast<size_t>(i)]);
  std::unordered_map<int64_t, int32_t> seen;
  for (bool changed = true; changed;) {
    changed = false;
    if (progress.stopRequested()) return false;
    for (int32_t b = 0; b < ws.sig.binaryCount; ++b) {
      seen.clear();
      const int32_t* t = a.table.data() + lay.binary(b, 0, 0);
      for (int32_t i = 0; i < n; ++i) {
        const int64_t ci = uf.find(i);
        for (int32_t x = 0; x < n; ++x) {
          const int32_t v = t[static_cast<int64_t>(i) * n + x];
          if (v < 0) continue;
          auto [it, fresh] = seen.try_emplace(ci * n + uf.find(x), v);
          if (!fresh) changed |= uf.unite(it->second, v);
        }
      }
    }
    for (int32_t u = ws.sig.binaryCount; u < ws.sig.binaryCount + ws.sig.unaryCount; ++u) {
      seen.clear();
      const int32_t* t = a.table.data() + lay.unary(u, 0);
      for (int32_t i = 0; i < n; ++i) {
        if (t[i] < 0) continue;
        auto [it, fresh] = seen.try_emplace(uf.find(i), t[i]);
        if (!fresh) changed |= uf.unite(it->second, t[i]);
      }
    }
  }
  p = uf.canonicalPartition();
  return true;
}

bool closureCanTouch(const Workspace& ws, int32_t k) {
  if (ws.sig.unaryCount > 0) return true;
  const Algebra& a = ws.algebras[static_cast<size_t>(k)];
  const int64_t binaryEntries = ws.layout(k).unary(ws.sig.binaryCount, 0);
  for (int64_t i = 0; i < binaryEntries; ++i) {
    if (a.table[static_cast<size_t>(i)] >= 0) return true;
  }
  return false;
}

}  // namespace

bool closePartialCongruence(const Workspace& ws, int32_t k, Partition& p, Progress& progress) {
  return closePartial(ws, k, p, progress);
}

bool closeCongruence(const Workspace& ws, int32_t k, Partition& p, Progress& progress) {
  if (!closureCanTouch(ws, k)) return true;
  if (isComplete(ws, k)) {
    Partition closed = CompleteClosure(ws, k, progress).close(p);
    if (progress.stopped()) return false;
    p = std::move(closed);
    return true;
  }
  return closePartial(ws, k, p, progress);
}

Partition principalCongruence(const Workspace& ws, int32_t k, int32_t a, int32_t b) {
  Partition p = identityPartition(ws.algebras[static_cast<size_t>(k)].card);
  p[static_cast<size_t>(std::max(a, b))] = std::min(a, b);
  closeCongruence(ws, k, p);
  return p;
}

}  // namespace kest
