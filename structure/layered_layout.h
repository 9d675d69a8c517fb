// A layered drawing of a Hasse diagram (elements 0..count-1 in a linear
// extension of the order, with their covering pairs), in the usual steps
// of layered graph drawing:
//   levels     every element at its height, the length of the longest
//              chain below it;
//   dummies    a cover that spans several levels passes each level between
//              its ends at a point of its own (a dummy vertex), so that it
//              can bend around the elements there;
//   order      within each level an order with few edge crossings:
//              barycentre sweeps, then exchanges of neighbours while they
//              remove crossings, keeping the best order seen;
//   positions  x coordinates that keep each vertex near its neighbours
//              (pool-adjacent-violators on every level, a few sweeps)
//              while the vertices of a level stay apart by their widths.
// Coordinates are page units at zoom 1, x from 0, level 0 at the bottom.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "core/progress.h"

namespace kest {

struct LayeredLayout {
  int32_t count = 0;  // elements; vertices count.. are dummies
  int32_t levels = 0;
  std::vector<int32_t> level;                       // per vertex
  std::vector<double> x;                            // per vertex
  std::vector<std::vector<int32_t>> rows;           // per level, its vertices left to right
  std::vector<std::pair<int32_t, int32_t>> covers;  // (lower, upper) elements
  std::vector<std::vector<int32_t>> bends;          // per cover, its dummies from the bottom up
  int64_t crossings = 0;
};

// How wide a vertex is: room left and right of its centre.
struct VertexExtent {
  double left = 0;
  double right = 0;
};

// The drawing; extents[i] for element i, dummies take dummyExtent. Nothing
// when stopped.
std::optional<LayeredLayout> layeredLayout(int32_t count, const std::vector<std::pair<int32_t, int32_t>>& covers,
                                           const std::vector<VertexExtent>& extents, VertexExtent dummyExtent,
                                           Progress& progress);

// The crossings of edges between neighbouring levels, in the order of rows.
int64_t countCrossings(const LayeredLayout& layout);

// One relaxing step (the space bar): every vertex moves towards its
// neighbours, the levels keep their order and their spacing.
void relaxLayout(LayeredLayout& layout, const std::vector<VertexExtent>& extents, VertexExtent dummyExtent);

}  // namespace kest
