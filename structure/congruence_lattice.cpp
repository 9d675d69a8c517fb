#include "structure/congruence_lattice.h"

#include <algorithm>
#include <new>
#include <numeric>
#include <unordered_map>

#include "structure/principal_closure.h"
#include "structure/subuniverse.h"
#include "structure/union_find.h"

namespace kest {

namespace {

// The most partition or member entries the lattices keep (1 GiB).
constexpr int64_t kMaxEntries = int64_t{1} << 28;

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
        const int32_t id = equalVia(images_[f][static_cast<int64_t>(a) * n_ + c], images_[f][static_cast<int64_t>(b) * n_ + c]);
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

void checkRoom(size_t elements, int32_t n) {
  if (static_cast<int64_t>(elements) * std::max(n, 1) > kMaxEntries) throw std::bad_alloc();
}

// Indices of elements in list order, by the given key comparison.
template <class Less>
std::vector<size_t> listOrder(size_t count, Less&& less) {
  std::vector<size_t> order(count);
  std::iota(order.begin(), order.end(), size_t{0});
  std::sort(order.begin(), order.end(), less);
  return order;
}

}  // namespace

std::vector<Partition> distinctPrincipalCongruences(const AlgebraView& alg, Progress& progress, size_t most) {
  const int32_t n = alg.card();
  PrincipalClosure closure(alg, progress);
  KnownPairs known(closure.translations(), n);
  std::unordered_map<Partition, int32_t, VectorHash> index;
  std::vector<Partition> out;
  std::vector<std::pair<int32_t, int32_t>> firstPair;
  std::vector<int32_t> blocks;
  // The known congruences that hold (a, b) lie above Cg(a, b): the closure
  // stops as soon as it joins the first pair of one of them, which is then
  // Cg(a, b), the one with the most blocks. In a cyclic group a single
  // round of translations usually gets there. Past kMaxScanned known ones
  // the scan would cost more than it saves.
  constexpr size_t kMaxScanned = 4096;
  std::vector<int32_t> holding;
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
      holding.clear();
      for (size_t i = 0; i < out.size() && out.size() <= kMaxScanned; ++i) {
        if (out[i][static_cast<size_t>(a)] != out[i][static_cast<size_t>(b)]) continue;
        holding.push_back(static_cast<int32_t>(i));
        closure.addStop(firstPair[i].first, firstPair[i].second);
      }
      std::optional<Partition> p = closure.principalUnlessJoining(a, b);
      for (int32_t i : holding) closure.removeStop(firstPair[static_cast<size_t>(i)].first, firstPair[static_cast<size_t>(i)].second);
      if (progress.stopped()) return {};
      if (!p) {
        const int32_t least = *std::max_element(holding.begin(), holding.end(), [&](int32_t x, int32_t y) {
          return blocks[static_cast<size_t>(x)] < blocks[static_cast<size_t>(y)];
        });
        known.set(a, b, least);
        continue;
      }
      auto [it, added] = index.emplace(std::move(*p), static_cast<int32_t>(out.size()));
      if (added) {
        checkRoom(out.size() + 1, n);
        out.push_back(it->first);
        if (out.size() > most) return out;
        firstPair.emplace_back(a, b);
        blocks.push_back(countBlocks(it->first));
      }
      known.set(a, b, it->second);
    }
  }
  return out;
}

CongruenceLattice congruenceLattice(const AlgebraView& alg, int64_t stop, Progress& progress) {
  CongruenceLattice result;
  const int32_t n = alg.card();
  std::vector<Partition> elements{identityPartition(n)};
  {
    // The bottom and the distinct principal congruences are all elements:
    // more of them than stop answer at once.
    const size_t most = static_cast<size_t>(std::max<int64_t>(stop - 1, 0));
    std::vector<Partition> principals = distinctPrincipalCongruences(alg, progress, most);
    if (progress.stopped()) return {LatticeStatus::kInterrupted, {}, {}};
    if (principals.size() > most && static_cast<int64_t>(principals.size()) + 1 > stop) {
      return {LatticeStatus::kTooMany, {}, {}};
    }
    for (Partition& p : principals) elements.push_back(std::move(p));
  }
  const size_t generators = elements.size() - 1;
  auto join = [&](const Partition& p, const Partition& q) {
    checkRoom(elements.size() + 1, n);
    return joinPartitions(p, q);
  };
  result.status = closeUnderJoins(elements, generators, stop, join, progress);
  if (result.status != LatticeStatus::kDone) return {result.status, {}, {}};
  const std::vector<uint8_t> ji = joinIrreducibleGenerators(elements, generators, joinPartitions, partitionBelow, progress);
  if (progress.stopped()) return {LatticeStatus::kInterrupted, {}, {}};
  std::vector<int32_t> blocks(elements.size());
  for (size_t i = 0; i < elements.size(); ++i) blocks[i] = countBlocks(elements[i]);
  for (size_t i : listOrder(elements.size(), [&](size_t x, size_t y) {
         if (blocks[x] != blocks[y]) return blocks[x] > blocks[y];
         return elements[x] < elements[y];
       })) {
    result.congruences.push_back(std::move(elements[i]));
    result.joinIrreducible.push_back(ji[i]);
  }
  return result;
}

SubuniverseLattice subuniverseLattice(const AlgebraView& alg, int64_t stop, Progress& progress) {
  const int32_t n = alg.card();
  using Flags = std::vector<uint8_t>;
  std::vector<Flags> elements{Flags(static_cast<size_t>(n), 0)};
  if (!closeSubuniverse(alg, elements[0], progress)) return {LatticeStatus::kInterrupted, {}, {}};
  {
    std::unordered_map<Flags, int32_t, VectorHash> seen{{elements[0], 0}};
    for (int32_t a = 0; a < n; ++a) {
      if (progress.stopRequested()) return {LatticeStatus::kInterrupted, {}, {}};
      Flags f = elements[0];
      f[static_cast<size_t>(a)] = 1;
      if (!closeSubuniverse(alg, f, progress)) return {LatticeStatus::kInterrupted, {}, {}};
      if (seen.emplace(f, static_cast<int32_t>(elements.size())).second) {
        checkRoom(elements.size() + 1, n);
        elements.push_back(std::move(f));
        if (static_cast<int64_t>(elements.size()) > stop) return {LatticeStatus::kTooMany, {}, {}};
      }
    }
  }
  const size_t generators = elements.size() - 1;
  auto unite = [&](const Flags& s, const Flags& t) {
    Flags u(s.size());
    for (size_t i = 0; i < s.size(); ++i) u[i] = s[i] | t[i];
    closeSubuniverse(alg, u, progress);  // a stop shows in progress.stopped()
    return u;
  };
  auto join = [&](const Flags& s, const Flags& t) {
    checkRoom(elements.size() + 1, n);
    return unite(s, t);
  };
  auto below = [](const Flags& s, const Flags& t) {
    for (size_t i = 0; i < s.size(); ++i) {
      if (s[i] > t[i]) return false;
    }
    return true;
  };
  SubuniverseLattice result;
  result.status = closeUnderJoins(elements, generators, stop, join, progress);
  if (result.status != LatticeStatus::kDone) return {result.status, {}, {}};
  const std::vector<uint8_t> ji = joinIrreducibleGenerators(elements, generators, unite, below, progress);
  if (progress.stopped()) return {LatticeStatus::kInterrupted, {}, {}};
  std::vector<std::vector<int32_t>> lists(elements.size());
  for (size_t i = 0; i < elements.size(); ++i) {
    for (int32_t x = 0; x < n; ++x) {
      if (elements[i][static_cast<size_t>(x)]) lists[i].push_back(x);
    }
  }
  for (size_t i : listOrder(elements.size(), [&](size_t x, size_t y) {
         if (lists[x].size() != lists[y].size()) return lists[x].size() < lists[y].size();
         return lists[x] < lists[y];
       })) {
    result.subuniverses.push_back(std::move(lists[i]));
    result.joinIrreducible.push_back(ji[i]);
  }
  return result;
}

}  // namespace kest
