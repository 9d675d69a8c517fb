#include "structure/congruence_closure.h"

#include <algorithm>
#include <unordered_map>

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

Translations translationsOf(const AlgebraView& a) {
  const int32_t n = a.card();
  const int64_t nn = static_cast<int64_t>(n) * n;
  Translations t;
  for (int32_t b = 0; b < a.binaryCount(); ++b) {
    const int32_t* table = a.binaryTable(b);
    t.rows.push_back(table);
    // Column translations are row translations when the table is symmetric
    // (flagged commutative, or found so).
    if (a.commutative(b) || symmetric(table, n)) continue;
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
  for (int32_t u = a.binaryCount(); u < a.binaryCount() + a.unaryCount(); ++u) t.unary.push_back(a.unaryTable(u));
  return t;
}

CompleteClosure::CompleteClosure(const AlgebraView& a, Progress& progress)
    : n_(a.card()), progress_(progress), translations_(translationsOf(a)) {}

// Every union adds an edge of a spanning forest of the classes; closing
// under the translations of those edges closes under all of them. Once all
// elements are in one class nothing is left to join (a simple algebra gets
// there after a fraction of the work). Polls about every million steps.
Partition CompleteClosure::close(const Partition& p) const {
  UnionFind uf(n_);
  std::vector<std::pair<int32_t, int32_t>> work;
  int32_t classes = n_;
  auto join = [&](int32_t x, int32_t y) {
    if (uf.unite(x, y)) {
      work.emplace_back(x, y);
      --classes;
    }
    return classes > 1;
  };
  for (int32_t i = 0; i < n_; ++i) join(i, p[static_cast<size_t>(i)]);
  WorkPoll poll(progress_);
  while (!work.empty() && classes > 1) {
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
bool closePartial(const AlgebraView& a, Partition& p, Progress& progress) {
  const int32_t n = a.card();
  UnionFind uf(n);
  for (int32_t i = 0; i < n; ++i) uf.unite(i, p[static_cast<size_t>(i)]);
  std::unordered_map<int64_t, int32_t> seen;
  for (bool changed = true; changed;) {
    changed = false;
    if (progress.stopRequested()) return false;
    for (int32_t b = 0; b < a.binaryCount(); ++b) {
      seen.clear();
      const int32_t* t = a.binaryTable(b);
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
    for (int32_t u = a.binaryCount(); u < a.binaryCount() + a.unaryCount(); ++u) {
      seen.clear();
      const int32_t* t = a.unaryTable(u);
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

bool closureCanTouch(const AlgebraView& a) {
  if (a.unaryCount() > 0) return true;
  const int64_t binaryEntries = a.layout().unary(a.binaryCount(), 0);
  for (int64_t i = 0; i < binaryEntries; ++i) {
    if (a.table()[i] >= 0) return true;
  }
  return false;
}

}  // namespace

bool closePartialCongruence(const AlgebraView& a, Partition& p, Progress& progress) {
  return closePartial(a, p, progress);
}

bool closeCongruence(const AlgebraView& a, Partition& p, Progress& progress) {
  if (!closureCanTouch(a)) return true;
  if (a.complete()) {
    Partition closed = CompleteClosure(a, progress).close(p);
    if (progress.stopped()) return false;
    p = std::move(closed);
    return true;
  }
  return closePartial(a, p, progress);
}

Partition principalCongruence(const AlgebraView& a, int32_t x, int32_t y) {
  Partition p = identityPartition(a.card());
  p[static_cast<size_t>(std::max(x, y))] = std::min(x, y);
  closeCongruence(a, p);
  return p;
}

}  // namespace kest
