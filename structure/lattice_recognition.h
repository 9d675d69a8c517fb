// Recognition of lattices and semilattices, the five lattice properties
// and conservativity. Every test returns a verdict; the key commands write
// the lines.
#pragma once

#include <array>
#include <cstdint>

#include "core/algebra_view.h"
#include "core/progress.h"

namespace kest {

// Lattice signature, both binary tables complete, both operations
// commutative and associative, and the absorption laws.
bool isLattice(const AlgebraView& a);

// Whether a binary table is complete, idempotent, commutative and
// associative: which 0 and 1 read the first binary table, which 2 the
// second (the signature must have that many binary operations).
bool isSemilattice(const AlgebraView& a, int32_t which);

// Whether the first two binary tables of k (join and meet of a complete
// lattice) satisfy the property; true for an empty algebra.
bool isDistributive(const AlgebraView& a);
bool isModular(const AlgebraView& a);
bool isMeetSemidistributive(const AlgebraView& a);
bool isJoinSemidistributive(const AlgebraView& a);
bool isWhitman(const AlgebraView& a);

// Every binary entry is its row or its column element, every unary entry
// its argument, and no constant unless the algebra has one element.
bool isConservative(const AlgebraView& a);

struct LatticeVerdict {
  enum Kind { kLattice, kJoinSemilattice, kMeetSemilattice, kNeither } kind = kNeither;
  // distributive, modular, meet and join semidistributive, Whitman
  std::array<bool, 5> properties{};
};

// What the key l finds out about algebra k; unfinished when progress asks
// to stop (the caller sees progress.stopped()).
LatticeVerdict recognizeLattice(const AlgebraView& a, Progress& progress = noProgress());

}  // namespace kest
