// One algebra of the store. Its operations live in one flat table:
// the binary tables first, one n*n block per binary operation, row by row
// (entry b*n*n + x*n + y is x b y); then one block of n per unary
// operation; then one entry per constant. -1 is undefined.
#pragma once

#include <cstdint>
#include <vector>

namespace kest {

struct Algebra {
  uint64_t id = 0;  // set when appended to the store, unique in a session
  int32_t card = 0;
  std::vector<int32_t> table;
  int32_t displayed = 1;
  int32_t boxWidth = 0;
  int32_t boxHeight = 0;
  int32_t x = 0;
  int32_t y = 0;
  // Hasse diagram coordinates kept by the lattice drawing; empty when absent.
  std::vector<int32_t> latticeX;
  std::vector<int32_t> latticeY;

  bool hasLatticeCoordinates() const { return !latticeX.empty(); }
  void discardLatticeCoordinates() {
    latticeX = {};
    latticeY = {};
  }
};

// Index arithmetic of the flat table for a signature with nb binary and nu
// unary operations; all in 64 bits so that large cards cannot overflow.
struct TableLayout {
  int64_t n;
  int64_t nb;
  int64_t nu;
  int64_t nc;

  int64_t binary(int64_t op, int64_t x, int64_t y) const { return (op * n + x) * n + y; }
  int64_t unary(int64_t op, int64_t x) const { return nb * n * n + (op - nb) * n + x; }
  int64_t constant(int64_t c) const { return nb * n * n + nu * n + c; }
  int64_t size() const { return (nb * n + nu) * n + nc; }
};

}  // namespace kest
