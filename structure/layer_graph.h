// The proper layered graph behind a layered drawing: every edge joins
// neighbouring levels (a long cover is a chain through its dummies), with
// each vertex's neighbours one level down and one level up listed in
// compressed rows. Shared by the ordering and the positioning steps of
// structure/layered_layout.cpp.
#pragma once

#include <cstdint>
#include <vector>

#include "core/progress.h"
#include "structure/layered_layout.h"

namespace kest {

struct LayerGraph {
  // Vertex v's neighbours below are down[downStart[v] .. downStart[v + 1]),
  // those above likewise in up.
  std::vector<int32_t> downStart;
  std::vector<int32_t> down;
  std::vector<int32_t> upStart;
  std::vector<int32_t> up;

  explicit LayerGraph(const LayeredLayout& layout);

  template <class F>
  void forBelow(int32_t v, F&& f) const {
    for (int32_t i = downStart[static_cast<size_t>(v)]; i < downStart[static_cast<size_t>(v) + 1]; ++i)
      f(down[static_cast<size_t>(i)]);
  }
  template <class F>
  void forAbove(int32_t v, F&& f) const {
    for (int32_t i = upStart[static_cast<size_t>(v)]; i < upStart[static_cast<size_t>(v) + 1]; ++i)
      f(up[static_cast<size_t>(i)]);
  }
};

// Orders the rows of layout for few crossings (and sets its crossings):
// barycentre sweeps keeping the best order, then neighbour exchanges.
// False when stopped.
bool orderLayers(LayeredLayout& layout, const LayerGraph& graph, WorkPoll& poll);

// The crossings between level l and level l + 1, given each vertex's
// place in its row.
int64_t crossingsAbove(const LayeredLayout& layout, const LayerGraph& graph, const std::vector<int32_t>& place,
                       int32_t l);

}  // namespace kest
