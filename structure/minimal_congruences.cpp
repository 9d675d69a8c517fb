#include "structure/minimal_congruences.h"

#include <algorithm>

#include "structure/principal_closure.h"

namespace kest {

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
  // A candidate is below Cg(a, b) exactly when Cg(a, b) joins the pair that
  // generates the candidate; the closure stops there, since Cg(a, b) is then
  // no new atom (or an equal one from a later pair). Those pairs are the
  // closure's stop pairs.
  for (int32_t a = 0; a < n; ++a) {
    if (progress.stopRequested()) return std::nullopt;
    for (int32_t b = a + 1; b < n; ++b) {
      std::optional<Partition> c = closure.principalUnlessJoining(a, b);
      // A closure over millions of elements takes a while: poll after each.
      if ((n > 4096 || (b & 63) == 0) && progress.stopRequested()) return std::nullopt;
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
