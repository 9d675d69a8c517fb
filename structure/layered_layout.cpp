#include "structure/layered_layout.h"

#include <algorithm>
#include <new>

#include "structure/layer_graph.h"

namespace kest {

namespace {

// The most dummies a drawing may have: more would be a mesh of bends.
constexpr int64_t kMaxVertices = int64_t{1} << 21;
// Room between the extents of neighbours in a row.
constexpr double kGap = 6;
constexpr int kPositionSweeps = 8;

// Levels by height; then a dummy for every level a cover passes.
void placeOnLevels(LayeredLayout& layout) {
  const size_t count = static_cast<size_t>(layout.count);
  layout.level.assign(count, 0);
  // Covers come by lower element; every element comes after those below it.
  std::vector<std::vector<int32_t>> lower(count);
  for (const auto& [a, b] : layout.covers) lower[static_cast<size_t>(b)].push_back(a);
  for (size_t v = 0; v < count; ++v) {
    for (int32_t a : lower[v]) layout.level[v] = std::max(layout.level[v], layout.level[static_cast<size_t>(a)] + 1);
  }
  layout.levels = count == 0 ? 0 : *std::max_element(layout.level.begin(), layout.level.end()) + 1;
  int64_t vertices = layout.count;
  for (const auto& [a, b] : layout.covers)
    vertices += layout.level[static_cast<size_t>(b)] - layout.level[static_cast<size_t>(a)] - 1;
  if (vertices > kMaxVertices) throw std::bad_alloc();
  layout.bends.assign(layout.covers.size(), {});
  for (size_t c = 0; c < layout.covers.size(); ++c) {
    const auto [a, b] = layout.covers[c];
    for (int32_t l = layout.level[static_cast<size_t>(a)] + 1; l < layout.level[static_cast<size_t>(b)]; ++l) {
      layout.bends[c].push_back(static_cast<int32_t>(layout.level.size()));
      layout.level.push_back(l);
    }
  }
  layout.rows.assign(static_cast<size_t>(layout.levels), {});
  for (size_t v = 0; v < layout.level.size(); ++v)
    layout.rows[static_cast<size_t>(layout.level[v])].push_back(static_cast<int32_t>(v));
}

VertexExtent extentOf(const std::vector<VertexExtent>& extents, VertexExtent dummy, int32_t v) {
  return static_cast<size_t>(v) < extents.size() ? extents[static_cast<size_t>(v)] : dummy;
}

// Places a row as near to the wanted x as its spacing allows (least
// squares, weighted): with the spacing taken out, the places must not
// decrease, and pooling adjacent violators gives the best such places.
void placeRow(const std::vector<int32_t>& row, const std::vector<double>& wanted, const std::vector<double>& weight,
              const std::vector<VertexExtent>& extents, VertexExtent dummy, std::vector<double>& x) {
  struct Block {
    double sum;
    double weight;
    size_t size;
  };
  std::vector<double> shift(row.size(), 0);
  for (size_t i = 1; i < row.size(); ++i) {
    shift[i] = shift[i - 1] + extentOf(extents, dummy, row[i - 1]).right + kGap + extentOf(extents, dummy, row[i]).left;
  }
  std::vector<Block> blocks;
  for (size_t i = 0; i < row.size(); ++i) {
    Block b{(wanted[i] - shift[i]) * weight[i], weight[i], 1};
    while (!blocks.empty() && blocks.back().sum / blocks.back().weight >= b.sum / b.weight) {
      b = {b.sum + blocks.back().sum, b.weight + blocks.back().weight, b.size + blocks.back().size};
      blocks.pop_back();
    }
    blocks.push_back(b);
  }
  size_t i = 0;
  for (const Block& b : blocks) {
    for (size_t k = 0; k < b.size; ++k, ++i) x[static_cast<size_t>(row[i])] = b.sum / b.weight + shift[i];
  }
}

// One sweep over the levels: each vertex wants the mean x of its
// neighbours below (direction 1), above (-1) or both (0).
void positionSweep(LayeredLayout& layout, const LayerGraph& graph, int direction,
                   const std::vector<VertexExtent>& extents, VertexExtent dummy) {
  const int32_t levels = layout.levels;
  for (int32_t step = 0; step < levels; ++step) {
    const int32_t l = direction >= 0 ? step : levels - 1 - step;
    const std::vector<int32_t>& row = layout.rows[static_cast<size_t>(l)];
    std::vector<double> wanted(row.size());
    std::vector<double> weight(row.size());
    for (size_t i = 0; i < row.size(); ++i) {
      const int32_t v = row[i];
      double sum = 0;
      int32_t seen = 0;
      auto add = [&](int32_t u) {
        sum += layout.x[static_cast<size_t>(u)];
        ++seen;
      };
      if (direction >= 0) graph.forBelow(v, add);
      if (direction <= 0) graph.forAbove(v, add);
      wanted[i] = seen ? sum / seen : layout.x[static_cast<size_t>(v)];
      // Dummies weigh more, so that long covers run straight.
      weight[i] = (v >= layout.count ? 4.0 : 1.0) * (seen ? 1.0 : 0.25);
    }
    placeRow(row, wanted, weight, extents, dummy, layout.x);
  }
}

void packRows(LayeredLayout& layout, const std::vector<VertexExtent>& extents, VertexExtent dummy) {
  layout.x.assign(layout.level.size(), 0);
  for (const std::vector<int32_t>& row : layout.rows) {
    double at = 0;
    for (size_t i = 0; i < row.size(); ++i) {
      if (i > 0) at += extentOf(extents, dummy, row[i - 1]).right + kGap + extentOf(extents, dummy, row[i]).left;
      layout.x[static_cast<size_t>(row[i])] = at;
    }
  }
}

// Shifts x so that the leftmost extent starts at 0.
void alignLeft(LayeredLayout& layout, const std::vector<VertexExtent>& extents, VertexExtent dummy) {
  double least = 0;
  bool any = false;
  for (size_t v = 0; v < layout.x.size(); ++v) {
    const double left = layout.x[v] - extentOf(extents, dummy, static_cast<int32_t>(v)).left;
    least = any ? std::min(least, left) : left;
    any = true;
  }
  for (double& x : layout.x) x -= least;
}

}  // namespace

std::optional<LayeredLayout> layeredLayout(int32_t count, const std::vector<std::pair<int32_t, int32_t>>& covers,
                                           const std::vector<VertexExtent>& extents, VertexExtent dummyExtent,
                                           Progress& progress) {
  LayeredLayout layout;
  layout.count = count;
  layout.covers = covers;
  placeOnLevels(layout);
  const LayerGraph graph(layout);
  WorkPoll poll(progress);
  if (!orderLayers(layout, graph, poll)) return std::nullopt;
  packRows(layout, extents, dummyExtent);
  for (int sweep = 0; sweep < kPositionSweeps; ++sweep) {
    if (poll.add(static_cast<int64_t>(layout.level.size() + graph.down.size()) * 4)) return std::nullopt;
    positionSweep(layout, graph, sweep % 2 == 0 ? 1 : -1, extents, dummyExtent);
  }
  positionSweep(layout, graph, 0, extents, dummyExtent);
  alignLeft(layout, extents, dummyExtent);
  return layout;
}

int64_t countCrossings(const LayeredLayout& layout) {
  const LayerGraph graph(layout);
  std::vector<int32_t> place(layout.level.size());
  for (const std::vector<int32_t>& row : layout.rows) {
    for (size_t i = 0; i < row.size(); ++i) place[static_cast<size_t>(row[i])] = static_cast<int32_t>(i);
  }
  int64_t total = 0;
  for (int32_t l = 0; l + 1 < layout.levels; ++l) total += crossingsAbove(layout, graph, place, l);
  return total;
}

void relaxLayout(LayeredLayout& layout, const std::vector<VertexExtent>& extents, VertexExtent dummyExtent) {
  // Rows may have been reordered by dragging: keep them left to right.
  for (std::vector<int32_t>& row : layout.rows) {
    std::stable_sort(row.begin(), row.end(), [&](int32_t a, int32_t b) {
      return layout.x[static_cast<size_t>(a)] < layout.x[static_cast<size_t>(b)];
    });
  }
  const LayerGraph graph(layout);
  positionSweep(layout, graph, 0, extents, dummyExtent);
  alignLeft(layout, extents, dummyExtent);
}

}  // namespace kest
