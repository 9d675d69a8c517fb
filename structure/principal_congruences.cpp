#include <algorithm>
#include <new>
#include <optional>
#include <unordered_map>

#include "structure/congruence_lattice.h"
#include "structure/principal_closure.h"
#include "structure/row_set.h"

namespace kest {

namespace {

// Pairs whose principal congruence is already known, and the translations
// that most often carry a new pair onto such a pair: for every family the
// constant that sends an element to its least image (in a group, the
// inverse, which carries (a, b) to (0, b - a)). When some translation
// carries (a, b) onto a known pair whose congruence holds (a, b), Cg(a, b)
// lies above that congruence and below it: they are equal, and no closure
// is needed.
class KnownPairs {
 public:
  // The most pairs labelled (256 MB of labels).
  static constexpr int64_t kMaxLabelledPairs = int64_t{1} << 26;

  KnownPairs(const Translations& t, int32_t n) : n_(n) {
    if (static_cast<int64_t>(n) * n > kMaxLabelledPairs) return;  // too many pairs to label
    label_.assign(static_cast<size_t>(n) * n, -1);
    auto addFamily = [&](const int32_t* base) {
      images_.push_back(base);
      std::vector<int32_t> best(static_cast<size_t>(n), 0);
      for (int32_t x = 0; x < n; ++x) {
        const int32_t* img = base + static_cast<int64_t>(x) * n;
        best[static_cast<size_t>(x)] = static_cast<int32_t>(std::min_element(img, img + n) - img);
      }
      least_.push_back(std::move(best));
    };
    for (const int32_t* rows : t.rows) addFamily(rows);
    for (const auto& columns : t.columns) addFamily(columns.get());
    unary_ = t.unary;
  }

  // Entry x * n + y (x < y): the known congruence equal to Cg(x, y), or -1;
  // null when the pairs are too many to label.
  const int32_t* labels() const { return label_.empty() ? nullptr : label_.data(); }

  void set(int32_t a, int32_t b, int32_t id) {
    if (!label_.empty()) label_[static_cast<size_t>(a) * n_ + b] = id;
  }

  // A known congruence equal to Cg(a, b), or -1.
  int32_t lookup(int32_t a, int32_t b, const std::vector<Partition>& known) const {
    if (label_.empty()) return -1;
    auto equalVia = [&](int32_t x, int32_t y) {
      if (x == y) return -1;
      const int32_t id = label_[static_cast<size_t>(std::min(x, y)) * n_ + std::max(x, y)];
      return id >= 0 && known[static_cast<size_t>(id)][static_cast<size_t>(a)] ==
                            known[static_cast<size_t>(id)][static_cast<size_t>(b)]
                 ? id
                 : -1;
    };
    for (size_t f = 0; f < images_.size(); ++f) {
      for (int32_t e : {a, b}) {
        const int32_t c = least_[f][static_cast<size_t>(e)];
        const int32_t id =
            equalVia(images_[f][static_cast<int64_t>(a) * n_ + c], images_[f][static_cast<int64_t>(b) * n_ + c]);
        if (id >= 0) return id;
      }
    }
    for (const int32_t* u : unary_) {
      const int32_t id = equalVia(u[a], u[b]);
      if (id >= 0) return id;
    }
    return -1;
  }

 private:
  int32_t n_;
  std::vector<int32_t> label_;
  std::vector<const int32_t*> images_;  // family f, element x, constant c at x * n + c
  std::vector<std::vector<int32_t>> least_;
  std::vector<const int32_t*> unary_;
};

// The known congruences by their number of blocks, most first, and each
// element's entry in every one of them (by congruence number), so that the
// one holding a pair with the most blocks is found by reading only those
// with more blocks than it.
class KnownByBlocks {
 public:
  explicit KnownByBlocks(int32_t n) : entryOf_(static_cast<size_t>(n)), byBlocks_(static_cast<size_t>(n) + 1) {}

  void add(const Partition& p, int32_t id) {
    for (size_t e = 0; e < p.size(); ++e) entryOf_[e].push_back(p[e]);
    byBlocks_[static_cast<size_t>(countBlocks(p))].push_back(id);
  }

  // The known congruence holding (a, b) with the most blocks, when just
  // one has that many; else -1.
  int32_t leastHolding(int32_t a, int32_t b) const {
    const int32_t* ofA = entryOf_[static_cast<size_t>(a)].data();
    const int32_t* ofB = entryOf_[static_cast<size_t>(b)].data();
    for (size_t c = byBlocks_.size(); c-- > 0;) {
      int32_t found = -1;
      for (int32_t id : byBlocks_[c]) {
        if (ofA[id] != ofB[id]) continue;
        if (found >= 0) return -1;
        found = id;
      }
      if (found >= 0) return found;
    }
    return -1;
  }

 private:
  std::vector<std::vector<int32_t>> entryOf_;
  std::vector<std::vector<int32_t>> byBlocks_;
};

}  // namespace

std::vector<Partition> distinctPrincipalCongruences(const AlgebraView& alg, Progress& progress, size_t most) {
  const int32_t n = alg.card();
  PrincipalClosure closure(alg, progress);
  KnownPairs known(closure.translations(), n);
  std::unordered_map<Partition, int32_t, PartitionHash> index;
  std::vector<Partition> out;
  std::vector<std::pair<int32_t, int32_t>> firstPair;
  // The known congruences that hold (a, b) lie above Cg(a, b); Cg(a, b) can
  // only be one of them when it is the least, the one with the most
  // blocks (with two of them equally many, it is neither). The closure
  // stops as soon as it joins that one's first pair; in a cyclic group a
  // single round of translations usually gets there.
  KnownByBlocks byBlocks(n);
  const int64_t allPairs = static_cast<int64_t>(n) * (n - 1) / 2;
  for (int32_t a = 0; a < n; ++a) {
    if (progress.stopRequested()) return {};
    // A row of closures may take seconds: its pairs count as they go.
    const int64_t rowStart = allPairs - static_cast<int64_t>(n - a) * (n - a - 1) / 2;
    progress.report(rowStart, allPairs, "pairs");
    for (int32_t b = a + 1; b < n; ++b) {
      const int32_t same = known.lookup(a, b, out);
      if (same >= 0) {
        known.set(a, b, same);
        continue;
      }
      progress.report(rowStart + (b - a - 1), allPairs, "pairs");
      const int32_t least = byBlocks.leastHolding(a, b);
      if (least >= 0)
        closure.addStop(firstPair[static_cast<size_t>(least)].first, firstPair[static_cast<size_t>(least)].second);
      PrincipalClosure::Outcome closed = closure.principalWithKnown(a, b, known.labels(), out);
      if (least >= 0)
        closure.removeStop(firstPair[static_cast<size_t>(least)].first, firstPair[static_cast<size_t>(least)].second);
      if (progress.stopped()) return {};
      if (closed.known >= 0 || !closed.fresh) {
        // Equal to a known one: the one it named, or the one whose pair it joined.
        known.set(a, b, closed.known >= 0 ? closed.known : least);
        continue;
      }
      auto [it, added] = index.emplace(std::move(*closed.fresh), static_cast<int32_t>(out.size()));
      if (added) {
        if (static_cast<int64_t>(out.size() + 1) * std::max(n, 1) > kMaxLatticeEntries) throw std::bad_alloc();
        out.push_back(it->first);
        if (out.size() > most) return out;
        firstPair.emplace_back(a, b);
        byBlocks.add(it->first, it->second);
      }
      known.set(a, b, it->second);
    }
  }
  return out;
}

}  // namespace kest
