// The space drawing of one lattice: its elements placed in three
// dimensions (y is the level, x and z are moved by the force steps and
// turned about the vertical axis), for the lattice whose layout was
// computed last. The plane drawing is its projection onto x.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace kest {

inline constexpr int32_t kSpaceElements = 100;

struct LatticeSpace {
  int32_t owner = -1;  // the algebra it belongs to, -1 none
  int32_t card = 0;
  std::array<double, kSpaceElements> spaceX{};
  std::array<double, kSpaceElements> spaceY{};
  std::array<double, kSpaceElements> spaceZ{};
  int32_t drawingTop = 0;
  int32_t drawingBottom = 0;
};

// The embedding page searches on every repaint; the last search is kept
// with the tables it ran on, and reused while they stay the same.
struct EmbeddingSearchMemo {
  int32_t a = -1;
  int32_t b = -1;
  std::vector<int32_t> tablesA;  // join and meet
  std::vector<int32_t> tablesB;
  bool found = false;
  std::vector<int32_t> map;
};

}  // namespace kest
