// Con(A) and Sub(A) of an algebra, listed as users read them.
//
// Con(A) of a complete algebra: its join irreducible elements are among
// the principal congruences, so the lattice is closed from the identity
// under joins with those of them that are join irreducible
// (structure/join_closure.h). Listed with more blocks first (the identity
// first, the all relation last), equal block counts by their canonical
// partition arrays, smaller first.
//
// Sub(A), partial algebras too (the closure uses defined entries): its
// join irreducible elements are among the one-generated subuniverses
// above the least one, Sg of no element (empty exactly when no constant
// has a defined value). Listed smaller first, equal sizes by their sorted
// member lists, smaller first.
#pragma once

#include <cstdint>
#include <vector>

#include "core/algebra_view.h"
#include "core/progress.h"
#include "structure/lattice_listing.h"
#include "structure/partition.h"

namespace kest {

// The most partition entries or member words a lattice may keep (1 GiB of
// partition entries).
inline constexpr int64_t kMaxLatticeEntries = int64_t{1} << 28;

struct LatticeResult {
  LatticeStatus status = LatticeStatus::kDone;
  LatticeListing listing;  // empty unless done
};

// At most stop elements; kTooMany beyond. Con needs a complete algebra.
LatticeResult congruenceLattice(const AlgebraView& a, int64_t stop, Progress& progress = noProgress());
LatticeResult subuniverseLattice(const AlgebraView& a, int64_t stop, Progress& progress = noProgress());

// The distinct principal congruences Cg(a, b), a < b, in the order of
// their first pair; it ends as soon as it has found more than most of them.
// Empty when stopped (progress.stopped() tells).
std::vector<Partition> distinctPrincipalCongruences(const AlgebraView& a, Progress& progress, size_t most = SIZE_MAX);

}  // namespace kest
