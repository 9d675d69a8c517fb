// Con(A) and Sub(A) of an algebra of the store, listed as users read them.
//
// Con(A) of a complete algebra: its elements are the joins of the distinct
// principal congruences; join irreducible are exactly the principal ones
// that are not the join of the principal ones below them. Listed with
// more blocks first (the identity first, the all relation last), equal
// block counts by their canonical partition arrays, smaller first.
//
// Sub(A), partial algebras too (the closure uses defined entries): its
// elements are the joins of the one-generated subuniverses above the
// least one, Sg of no element (empty exactly when no constant has a
// defined value). Listed smaller first, equal sizes by their sorted
// member lists, smaller first.
#pragma once

#include <cstdint>
#include <vector>

#include "core/progress.h"
#include "core/algebra_view.h"
#include "structure/join_closure.h"
#include "structure/partition.h"

namespace kest {

struct CongruenceLattice {
  LatticeStatus status = LatticeStatus::kDone;
  std::vector<Partition> congruences;    // in list order
  std::vector<uint8_t> joinIrreducible;  // per congruence
};

struct SubuniverseLattice {
  LatticeStatus status = LatticeStatus::kDone;
  std::vector<std::vector<int32_t>> subuniverses;  // sorted member lists, in list order
  std::vector<uint8_t> joinIrreducible;
};

// At most stop elements; kTooMany beyond. Needs a complete algebra.
CongruenceLattice congruenceLattice(const AlgebraView& a, int64_t stop, Progress& progress = noProgress());
SubuniverseLattice subuniverseLattice(const AlgebraView& a, int64_t stop, Progress& progress = noProgress());

// The distinct principal congruences Cg(a, b), a < b, in the order of
// their first pair; it ends as soon as it has found more than most of them.
// Empty when stopped (progress.stopped() tells).
std::vector<Partition> distinctPrincipalCongruences(const AlgebraView& a, Progress& progress, size_t most = SIZE_MAX);

}  // namespace kest
