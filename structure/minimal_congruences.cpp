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
  // holds that pair, so lies above what it lies above. Only the last few
  // constants are tried (a miss costs as much as a short closure): from
  // the last one down, which finds the earlier pairs at once in cyclic
  // groups and random algebras.
  bool translationHits(const Translations& t, int32_t a, int32_t b) const {
    const int32_t low = std::max(0, n_ - kTries);
    for (const int32_t* table : t.rows) {
      const int32_t* ra = table + static_cast<int64_t>(a) * n_;
      const int32_t* rb = table + static_cast<int64_t>(b) * n_;
      for (int32_t x = n_ - 1; x >= low; --x) {
        if (has(ra[x], rb[x])) return true;
      }
    }
    for (const std::unique_ptr<int32_t[]>& c : t.columns) {
      const int32_t* ca = c.get() + static_cast<int64_t>(a) * n_;
      const int32_t* cb = c.get() + static_cast<int64_t>(b) * n_;
      for (int32_t x = n_ - 1; x >= low; --x) {
        if (has(ca[x], cb[x])) return true;
      }
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

std::optional<std::vector<Partition>> minimalCongruences(const Workspace& ws, int32_t k, Progress& progress) {
  const int32_t n = ws.algebras[static_cast<size_t>(k)].card;
  PrincipalClosure closure(ws, k, progress);
  // The minimal ones among the principal congruences seen so far, each with
  // the first pair that generated it.
  struct Candidate {
    int64_t pair;
    Partition congruence;
  };
  std::vector<Candidate> candidates;
  Dominated dominated(n);
  // A candidate is below Cg(a, b) exactly when Cg(a, b) joins the pair that
  // generates the candidate; the closure stops there, since Cg(a, b) is then
  // no new atom (or an equal one from a later pair). Those pairs are the
  // closure's stop pairs.
  for (int32_t a = 0; a < n; ++a) {
    if (progress.stopRequested()) return std::nullopt;
    for (int32_t b = a + 1; b < n; ++b) {
      if (dominated.on() && dominated.translationHits(closure.translations(), a, b)) {
        dominated.add(a, b);
        continue;
      }
      std::optional<Partition> c = closure.principalUnlessJoining(a, b);
      // A closure over millions of elements takes a while: poll after each.
      if ((n > 4096 || (b & 63) == 0) && progress.stopRequested()) return std::nullopt;
      if (dominated.on()) dominated.add(a, b);  // dominated, or a candidate now
      if (!c) continue;
      // Cg(a, b) lies below the congruence m exactly when m holds (a, b).
      std::erase_if(candidates, [&](const Candidate& m) {
        if (m.congruence[static_cast<size_t>(a)] != m.congruence[static_cast<size_t>(b)]) return false;
        closure.removeStop(static_cast<int32_t>(m.pair / n), static_cast<int32_t>(m.pair % n));
        return true;
      });
      candidates.push_back({static_cast<int64_t>(a) * n + b, std::move(*c)});
      closure.addStop(a, b);
    }
  }
  std::sort(candidates.begin(), candidates.end(), [](const Candidate& x, const Candidate& y) { return x.pair < y.pair; });
  std::vector<Partition> atoms;
  for (Candidate& m : candidates) atoms.push_back(std::move(m.congruence));
  return atoms;
}

}  // namespace kest
