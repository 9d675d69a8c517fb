#include "tests/oracle/reference_layering.h"

#include <algorithm>
#include <map>

namespace kest::oracle {

namespace {

struct Layering {
  std::vector<int32_t> level;
  std::vector<std::pair<int32_t, int32_t>> edges;  // lower, upper on neighbouring levels
  std::vector<std::vector<int32_t>> rows;
  std::vector<std::vector<int32_t>> below;  // per vertex, its edges' other ends
  std::vector<std::vector<int32_t>> above;
};

Layering layer(int32_t count, const std::vector<std::pair<int32_t, int32_t>>& covers) {
  Layering g;
  g.level.assign(static_cast<size_t>(count), 0);
  // Longest chains: relax until nothing changes.
  for (bool changed = true; changed;) {
    changed = false;
    for (const auto& [a, b] : covers) {
      if (g.level[static_cast<size_t>(b)] < g.level[static_cast<size_t>(a)] + 1) {
        g.level[static_cast<size_t>(b)] = g.level[static_cast<size_t>(a)] + 1;
        changed = true;
      }
    }
  }
  for (const auto& [a, b] : covers) {
    int32_t from = a;
    for (int32_t l = g.level[static_cast<size_t>(a)] + 1; l < g.level[static_cast<size_t>(b)]; ++l) {
      const int32_t d = static_cast<int32_t>(g.level.size());
      g.level.push_back(l);
      g.edges.emplace_back(from, d);
      from = d;
    }
    g.edges.emplace_back(from, b);
  }
  g.below.assign(g.level.size(), {});
  g.above.assign(g.level.size(), {});
  for (const auto& [a, b] : g.edges) {
    g.below[static_cast<size_t>(b)].push_back(a);
    g.above[static_cast<size_t>(a)].push_back(b);
  }
  const int32_t levels = count == 0 ? 0 : *std::max_element(g.level.begin(), g.level.end()) + 1;
  g.rows.assign(static_cast<size_t>(levels), {});
  for (size_t v = 0; v < g.level.size(); ++v)
    g.rows[static_cast<size_t>(g.level[v])].push_back(static_cast<int32_t>(v));
  return g;
}

int64_t crossings(const Layering& g) {
  std::vector<int32_t> place(g.level.size());
  for (const auto& row : g.rows) {
    for (size_t i = 0; i < row.size(); ++i) place[static_cast<size_t>(row[i])] = static_cast<int32_t>(i);
  }
  std::map<int32_t, std::vector<std::pair<int32_t, int32_t>>> byLevel;
  for (const auto& [a, b] : g.edges)
    byLevel[g.level[static_cast<size_t>(a)]].emplace_back(place[static_cast<size_t>(a)], place[static_cast<size_t>(b)]);
  int64_t total = 0;
  for (const auto& [l, edges] : byLevel) {
    for (size_t i = 0; i < edges.size(); ++i) {
      for (size_t j = i + 1; j < edges.size(); ++j) {
        const auto [a1, b1] = edges[i];
        const auto [a2, b2] = edges[j];
        if ((a1 < a2 && b1 > b2) || (a1 > a2 && b1 < b2)) ++total;
      }
    }
  }
  return total;
}

void sweep(Layering& g, int32_t l, bool fromBelow) {
  std::vector<int32_t> place(g.level.size());
  for (const auto& row : g.rows) {
    for (size_t i = 0; i < row.size(); ++i) place[static_cast<size_t>(row[i])] = static_cast<int32_t>(i);
  }
  std::vector<std::pair<double, int32_t>> keyed;
  for (int32_t v : g.rows[static_cast<size_t>(l)]) {
    double sum = 0;
    int32_t seen = 0;
    for (int32_t u : (fromBelow ? g.below : g.above)[static_cast<size_t>(v)]) {
      sum += place[static_cast<size_t>(u)];
      ++seen;
    }
    keyed.emplace_back(seen ? sum / seen : place[static_cast<size_t>(v)], v);
  }
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& x, const auto& y) { return x.first < y.first; });
  for (size_t i = 0; i < keyed.size(); ++i) g.rows[static_cast<size_t>(l)][i] = keyed[i].second;
}

}  // namespace

int64_t plainBarycentreCrossings(int32_t count, const std::vector<std::pair<int32_t, int32_t>>& covers) {
  Layering g = layer(count, covers);
  int64_t fewest = crossings(g);
  const int32_t levels = static_cast<int32_t>(g.rows.size());
  for (int round = 0; round < 4; ++round) {
    for (int32_t l = 1; l < levels; ++l) sweep(g, l, true);
    for (int32_t l = levels - 2; l >= 0; --l) sweep(g, l, false);
    fewest = std::min(fewest, crossings(g));
  }
  return fewest;
}

}  // namespace kest::oracle
