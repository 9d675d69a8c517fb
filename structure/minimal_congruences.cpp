#include "structure/minimal_congruences.h"

#include <algorithm>
#include <memory>

#include "structure/principal_closure.h"

namespace kest {

namespace {

// Pairs (a, b), a < b, whose congruence Cg(a, b) is known to lie above a
// candidate (it joins a stop pair, or it is a candidate's own). A pair
// stays in once in: a candidate goes only for one below it. As a bit
// matrix, for algebras small enough for n^2 bits.
class Dominated {
 public:
  explicit Dominated(int32_t n) : n_(n) {
    if (n <= kMaxElements) bits_.assign((static_cast<size_t>(n) * n + 63) / 64, 0);
  }
  bool on() const { return !bits_.empty(); }
  void add(int32_t a, int32_t b) {
    const size_t i = index(a, b);
    bits_[i >> 6] |= uint64_t{1} << (i & 63);
  }
  bool has(int32_t a, int32_t b) const {
    if (a == b) return false;
    const size_t i = index(a, b);
    return (bits_[i >> 6] >> (i & 63)) & 1u;
  }

  // Whether a translation maps (a, b) onto a dominated pair: Cg(a, b) then
  // holds that pair, so lies above what it lies above. Only a few
  // constants are tried (a miss costs as much as a short closure): the
  // last ones, from the last down, which find the earlier pairs at once in
  // cyclic groups and random algebras, and the neighbours a + 1 and b - 1,
  // which do so in chains (a meet a+1 is a, b meet a+1 is a+1).
  bool translationHits(const Translations& t, int32_t a, int32_t b) const {
    auto hits = [&](const int32_t* ia, const int32_t* ib) {
      if (has(ia[a + 1], ib[a + 1]) || has(ia[b - 1], ib[b - 1])) return true;
      for (int32_t x = n_ - 1, low = std::max(0, n_ - kTries); x >= low; --x) {
        if (has(ia[x], ib[x])) return true;
      }
      return false;
    };
    for (const int32_t* table : t.rows) {
      if (hits(table + static_cast<int64_t>(a) * n_, table + static_cast<int64_t>(b) * n_)) return true;
    }
    for (const std::unique_ptr<int32_t[]>& c : t.columns) {
      if (hits(c.get() + static_cast<int64_t>(a) * n_, c.get() + static_cast<int64_t>(b) * n_)) return true;
    }
    for (const int32_t* u : t.unary) {
      if (has(u[a], u[b])) return true;
    }
    return false;
  }

 private:
  static constexpr int32_t kMaxElements = 16384;
  static constexpr int32_t kTries = 32;
  size_t index(int32_t a, int32_t b) const {
    return a < b ? static_cast<size_t>(a) * n_ + b : static_cast<size_t>(b) * n_ + a;
  }
  int32_t n_;
  std::vector<uint64_t> bits_;
};

}  // namespace

std::optional<std::vector<Partition>> minimalCongruences(const AlgebraView& a, Progress& progress) {
  const int32_t n = a.card();
  PrincipalClosure closure(a, progress);
  // The minimal ones among the principal congruences seen so far, each with
  // the first pair that generated it; a candidate found above a new one
  // is marked dead.
  struct Candidate {
    int64_t pair;
    Partition congruence;
    bool alive;
  };
  std::vector<Candidate> candidates;
  // For each element, the candidates in which its block has another
  // element: only those can hold a pair (a, b), so only a's list is read
  // when Cg(a, b) arrives. Past kMaxIndexed elements the lists would cost
  // as much as the candidates; one list then holds them all.
  constexpr int32_t kMaxIndexed = 1 << 16;
  const bool indexed = n <= kMaxIndexed;
  std::vector<std::vector<int32_t>> sharedAt(indexed ? static_cast<size_t>(n) : 1);
  Dominated dominated(n);
  // A candidate is below Cg(a, b) exactly when Cg(a, b) joins the pair that
  // generates the candidate; the closure stops there, since Cg(a, b) is then
  // no new atom (or an equal one from a later pair). Those pairs are the
  // closure's stop pairs.
  const int64_t allPairs = static_cast<int64_t>(n) * (n - 1) / 2;
  for (int32_t a = 0; a < n; ++a) {
    if (progress.stopRequested()) return std::nullopt;
    // The pairs (x, y), x < a, are done; a row of closures may take
    // seconds, so its pairs count as they go.
    const int64_t rowStart = allPairs - static_cast<int64_t>(n - a) * (n - a - 1) / 2;
    progress.report(rowStart, allPairs, "pairs");
    for (int32_t b = a + 1; b < n; ++b) {
      if (dominated.on() && dominated.translationHits(closure.translations(), a, b)) {
        dominated.add(a, b);
        continue;
      }
      progress.report(rowStart + (b - a - 1), allPairs, "pairs");
      std::optional<Partition> c = closure.principalUnlessJoining(a, b);
      // A closure over millions of elements takes a while: poll after each.
      // A closure that saw the stop returns nothing, like one that joined a
      // stop pair: the stop itself must end the search here.
      if (progress.stopped() || ((n > 4096 || (b & 63) == 0) && progress.stopRequested())) return std::nullopt;
      if (dominated.on()) dominated.add(a, b);  // dominated, or a candidate now
      if (!c) continue;
      // Cg(a, b) lies below the congruence m exactly when m holds (a, b).
      std::vector<int32_t>& list = sharedAt[indexed ? static_cast<size_t>(a) : 0];
      std::erase_if(list, [&](int32_t i) {
        Candidate& m = candidates[static_cast<size_t>(i)];
        if (m.alive && m.congruence[static_cast<size_t>(a)] == m.congruence[static_cast<size_t>(b)]) {
          closure.removeStop(static_cast<int32_t>(m.pair / n), static_cast<int32_t>(m.pair % n));
          m.alive = false;
          Partition().swap(m.congruence);
        }
        return !m.alive;
      });
      const int32_t id = static_cast<int32_t>(candidates.size());
      if (!indexed) sharedAt[0].push_back(id);
      // Blocks of more than one element: an element shares its block when
      // it is not its block's least element, or some later one points at it.
      std::vector<uint8_t> shared(indexed ? static_cast<size_t>(n) : 0, 0);
      for (int32_t x = 0; x < n && indexed; ++x) {
        const int32_t r = (*c)[static_cast<size_t>(x)];
        if (r != x) shared[static_cast<size_t>(x)] = shared[static_cast<size_t>(r)] = 1;
      }
      for (int32_t x = 0; x < n && indexed; ++x) {
        if (shared[static_cast<size_t>(x)]) sharedAt[static_cast<size_t>(x)].push_back(id);
      }
      candidates.push_back({static_cast<int64_t>(a) * n + b, std::move(*c), true});
      closure.addStop(a, b);
    }
  }
  std::vector<Partition> atoms;
  for (Candidate& m : candidates) {
    if (m.alive) atoms.push_back(std::move(m.congruence));  // already in the order of their pairs
  }
  return atoms;
}

}  // namespace kest
