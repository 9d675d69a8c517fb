// The plain Con(A) and Sub(A): every principal congruence, found by the
// plain closure, joined with every element until nothing new appears;
// every subset of the elements, kept when the plain closure leaves it as
// it is. Join irreducible: not the bottom, and not the join of the
// elements strictly below it. The same list order as the fast lattices.
#pragma once

#include <cstdint>
#include <vector>

#include "core/workspace.h"

namespace kest::oracle {

struct ReferenceLattice {
  std::vector<std::vector<int32_t>> elements;  // partitions, or sorted member lists
  std::vector<uint8_t> joinIrreducible;
};

// Con(A) of a complete algebra.
ReferenceLattice congruenceLatticeReference(const Workspace& ws, int32_t k);
// Sub(A), partial algebras too; all 2^n subsets, so small n only.
ReferenceLattice subuniverseLatticeReference(const Workspace& ws, int32_t k);

// The covering pairs (lower, upper) of the elements, by lower then upper,
// from a plain order test on every pair.
std::vector<std::pair<int32_t, int32_t>> coversReference(const ReferenceLattice& l, bool congruences);

}  // namespace kest::oracle
