// The layout of a Hasse diagram: plane coordinates in 0..3000 for every
// element of a semilattice (levels by longest chains, each level spread,
// incomparable elements pushed apart), and for a lattice of at most 100
// elements a space drawing that force steps relax and turns rotate. The
// coordinates are kept with the algebra until a table changes or the user
// erases them.
#pragma once

#include <cstdint>
#include <vector>

#include "core/workspace.h"

namespace kest {

// Entry i * n + j: 0 when i = j, the number of steps of the longest chain
// from i up to j when i < j, -1 when i is not below j.
std::vector<int32_t> chainLengthMatrix(const AlgebraView& a, int32_t kind);

// a < b with nothing strictly between them (always true for another kind).
bool covers(const AlgebraView& alg, int32_t a, int32_t b, int32_t kind);

// Plane coordinates of k in the order of the kind; sets up the space
// drawing when k is a lattice of 2 to 100 elements. With space = false
// (the embedding drawing) the space drawing is left alone.
void computeLatticeLayout(Workspace& ws, int32_t k, int32_t kind, bool space = true);

// The kind of order by which k is drawn: the first binary table as a join,
// else the first as a meet, else the second as a meet; -1 when none of
// them is a semilattice.
int32_t drawingKind(const AlgebraView& a);

// One force step of the space drawing of lattice k, projected to its plane
// x coordinates; the top and the bottom stay.
void relaxLatticeDrawing(Workspace& ws, int32_t k);

// A force step, then a turn about the vertical axis by about 10 degrees
// (direction +1 or -1), projected to the plane.
void rotateLatticeDrawing(Workspace& ws, int32_t k, int32_t direction);

// Lets the next drawing compute fresh coordinates.
void eraseLatticeCoordinates(Workspace& ws, int32_t k);

// The keys of the lattice page on the red-marked algebra: the space bar
// relaxes, digits and q, a, z turn one way and every other key the other.
// Acts only on a lattice of at most 100 elements; a space drawing that
// belongs to another algebra is first rebuilt from k's plane coordinates.
void steerLatticeDrawing(Workspace& ws, int32_t k, int32_t key);

}  // namespace kest
