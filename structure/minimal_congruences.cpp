#include "structure/minimal_congruences.h"

#include <algorithm>

#include "structure/congruence_closure.h"

namespace kest {

std::optional<std::vector<Partition>> minimalCongruences(const Workspace& ws, int32_t k, Progress& progress) {
  const int32_t n = ws.algebras[static_cast<size_t>(k)].card;
  const CompleteClosure closure(ws, k);
  // The minimal ones among the principal congruences seen so far, each with
  // the first pair that generated it.
  struct Candidate {
    int64_t pair;
    Partition congruence;
  };
  std::vector<Candidate> candidates;
  for (int32_t a = 0; a < n; ++a) {
    if (progress.stopRequested()) return std::nullopt;
    for (int32_t b = a + 1; b < n; ++b) {
      // A candidate below Cg(a, b) (or equal, from an earlier pair) means
      // Cg(a, b) is no new atom; otherwise it replaces the candidates above it.
      Partition c = closure.principal(a, b);
      bool covered = false;
      for (const Candidate& m : candidates) {
        if (partitionBelow(m.congruence, c)) {
          covered = true;
          break;
        }
      }
      if (covered) continue;
      std::erase_if(candidates, [&](const Candidate& m) { return partitionBelow(c, m.congruence); });
      candidates.push_back({static_cast<int64_t>(a) * n + b, std::move(c)});
    }
  }
  std::sort(candidates.begin(), candidates.end(), [](const Candidate& x, const Candidate& y) { return x.pair < y.pair; });
  std::vector<Partition> atoms;
  for (Candidate& m : candidates) atoms.push_back(std::move(m.congruence));
  return atoms;
}

}  // namespace kest
