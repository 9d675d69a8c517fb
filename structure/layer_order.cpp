// The order within the levels of a layered drawing.
#include <algorithm>

#include "structure/layer_graph.h"

namespace kest {

namespace {

// Barycentre rounds (a sweep up and a sweep down each) go on until this
// many in a row found no better order.
constexpr int kStaleRounds = 3;
constexpr int kMaxRounds = 24;
constexpr int kMaxExchangePasses = 12;

class LayerOrder {
 public:
  LayerOrder(LayeredLayout& layout, const LayerGraph& graph, WorkPoll& poll)
      : layout_(layout), graph_(graph), poll_(poll), place_(layout.level.size()) {
    for (const std::vector<int32_t>& row : layout_.rows) setPlaces(row);
  }

  bool run() {
    std::vector<std::vector<int32_t>> best = layout_.rows;
    int64_t fewest = total();
    for (int round = 0, stale = 0; round < kMaxRounds && stale < kStaleRounds && fewest > 0; ++round) {
      for (int32_t l = 1; l < layout_.levels; ++l) sortByBarycentre(l, true);
      for (int32_t l = layout_.levels - 2; l >= 0; --l) sortByBarycentre(l, false);
      if (poll_.add(work())) return false;
      const int64_t now = total();
      if (now < fewest) {
        fewest = now;
        best = layout_.rows;
        stale = 0;
      } else {
        ++stale;
      }
    }
    layout_.rows = std::move(best);
    for (const std::vector<int32_t>& row : layout_.rows) setPlaces(row);
    for (int pass = 0; pass < kMaxExchangePasses && exchangePass(); ++pass) {
      if (poll_.add(work())) return false;
    }
    layout_.crossings = total();
    return !poll_.progress().stopped();
  }

 private:
  int64_t work() const { return static_cast<int64_t>(layout_.level.size() + graph_.down.size()) * 8; }

  void setPlaces(const std::vector<int32_t>& row) {
    for (size_t i = 0; i < row.size(); ++i) place_[static_cast<size_t>(row[i])] = static_cast<int32_t>(i);
  }

  int64_t total() const {
    int64_t sum = 0;
    for (int32_t l = 0; l + 1 < layout_.levels; ++l) sum += crossingsAbove(layout_, graph_, place_, l);
    return sum;
  }

  // Row l by the mean place of each vertex's neighbours below (or above);
  // a vertex without such neighbours keeps its place.
  void sortByBarycentre(int32_t l, bool below) {
    std::vector<int32_t>& row = layout_.rows[static_cast<size_t>(l)];
    std::vector<std::pair<double, int32_t>> keyed;
    keyed.reserve(row.size());
    for (int32_t v : row) {
      double sum = 0;
      int32_t seen = 0;
      auto add = [&](int32_t u) {
        sum += place_[static_cast<size_t>(u)];
        ++seen;
      };
      if (below)
        graph_.forBelow(v, add);
      else
        graph_.forAbove(v, add);
      keyed.emplace_back(seen ? sum / seen : place_[static_cast<size_t>(v)], v);
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 0; i < row.size(); ++i) row[i] = keyed[i].second;
    setPlaces(row);
  }

  // The crossings between the edges of a and those of b (a left of b)
  // towards the level below and the level above.
  int64_t pairCrossings(int32_t a, int32_t b) {
    int64_t count = 0;
    for (int side = 0; side < 2; ++side) {
      left_.clear();
      right_.clear();
      auto into = [&](std::vector<int32_t>& out) {
        return [&](int32_t u) { out.push_back(place_[static_cast<size_t>(u)]); };
      };
      if (side == 0) {
        graph_.forBelow(a, into(left_));
        graph_.forBelow(b, into(right_));
      } else {
        graph_.forAbove(a, into(left_));
        graph_.forAbove(b, into(right_));
      }
      std::sort(left_.begin(), left_.end());
      std::sort(right_.begin(), right_.end());
      // Pairs with a's end strictly right of b's end.
      size_t k = 0;
      for (int32_t p : left_) {
        while (k < right_.size() && right_[k] < p) ++k;
        count += static_cast<int64_t>(k);
      }
    }
    return count;
  }

  // Swaps neighbours wherever that removes crossings; whether any swapped.
  bool exchangePass() {
    bool swapped = false;
    for (std::vector<int32_t>& row : layout_.rows) {
      for (size_t i = 0; i + 1 < row.size(); ++i) {
        if (pairCrossings(row[i + 1], row[i]) >= pairCrossings(row[i], row[i + 1])) continue;
        std::swap(row[i], row[i + 1]);
        place_[static_cast<size_t>(row[i])] = static_cast<int32_t>(i);
        place_[static_cast<size_t>(row[i + 1])] = static_cast<int32_t>(i + 1);
        swapped = true;
      }
    }
    return swapped;
  }

  LayeredLayout& layout_;
  const LayerGraph& graph_;
  WorkPoll& poll_;
  std::vector<int32_t> place_;
  std::vector<int32_t> left_;
  std::vector<int32_t> right_;
};

}  // namespace

LayerGraph::LayerGraph(const LayeredLayout& layout) {
  const size_t vertices = layout.level.size();
  std::vector<std::pair<int32_t, int32_t>> edges;  // (lower, upper), neighbouring levels
  for (size_t c = 0; c < layout.covers.size(); ++c) {
    int32_t from = layout.covers[c].first;
    for (int32_t d : layout.bends[c]) {
      edges.emplace_back(from, d);
      from = d;
    }
    edges.emplace_back(from, layout.covers[c].second);
  }
  downStart.assign(vertices + 1, 0);
  upStart.assign(vertices + 1, 0);
  for (const auto& [a, b] : edges) {
    ++downStart[static_cast<size_t>(b) + 1];
    ++upStart[static_cast<size_t>(a) + 1];
  }
  for (size_t v = 0; v < vertices; ++v) {
    downStart[v + 1] += downStart[v];
    upStart[v + 1] += upStart[v];
  }
  down.resize(edges.size());
  up.resize(edges.size());
  std::vector<int32_t> downAt(downStart.begin(), downStart.end() - 1);
  std::vector<int32_t> upAt(upStart.begin(), upStart.end() - 1);
  for (const auto& [a, b] : edges) {
    down[static_cast<size_t>(downAt[static_cast<size_t>(b)]++)] = a;
    up[static_cast<size_t>(upAt[static_cast<size_t>(a)]++)] = b;
  }
}

int64_t crossingsAbove(const LayeredLayout& layout, const LayerGraph& graph, const std::vector<int32_t>& place,
                       int32_t l) {
  const std::vector<int32_t>& row = layout.rows[static_cast<size_t>(l)];
  const size_t width = layout.rows[static_cast<size_t>(l) + 1].size();
  // Edges by their lower end's place, then their upper end's; each crossing
  // is an earlier edge whose upper end lies strictly right (a Fenwick tree
  // over the upper row counts them).
  std::vector<int32_t> tree(width + 1, 0);
  std::vector<int32_t> ends;
  int64_t crossings = 0;
  int64_t inserted = 0;
  for (int32_t v : row) {
    ends.clear();
    graph.forAbove(v, [&](int32_t u) { ends.push_back(place[static_cast<size_t>(u)]); });
    std::sort(ends.begin(), ends.end());
    for (int32_t p : ends) {
      int64_t atMost = 0;
      for (size_t i = static_cast<size_t>(p) + 1; i > 0; i -= i & (~i + 1)) atMost += tree[i];
      crossings += inserted - atMost;
      for (size_t i = static_cast<size_t>(p) + 1; i <= width; i += i & (~i + 1)) ++tree[i];
      ++inserted;
    }
  }
  return crossings;
}

bool orderLayers(LayeredLayout& layout, const LayerGraph& graph, WorkPoll& poll) {
  return LayerOrder(layout, graph, poll).run();
}

}  // namespace kest
