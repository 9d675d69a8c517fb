#include "structure/partition.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>

#include "core/element_names.h"
#include "structure/union_find.h"

namespace kest {

Partition identityPartition(int32_t n) {
  Partition p(static_cast<size_t>(n));
  std::iota(p.begin(), p.end(), 0);
  return p;
}

std::optional<Partition> readRelation(std::string_view text, int32_t n, int32_t maxNamedElements) {
  Partition p = identityPartition(n);
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && text[i] == ' ') ++i;
    const size_t start = i;
    while (i < text.size() && text[i] != ' ') ++i;
    if (i == start) continue;
    const std::string_view word = text.substr(start, i - start);
    int32_t least = n;
    for (char c : word) {
      const int32_t e = elementOfName(c, maxNamedElements);
      if (e < 0 || e >= n) return std::nullopt;
      least = std::min(least, e);
    }
    for (char c : word) p[static_cast<size_t>(elementOfName(c, maxNamedElements))] = least;
  }
  return p;
}

std::string printPartition(const Partition& p, int32_t maxNamedElements) {
  const int32_t n = static_cast<int32_t>(p.size());
  // The members of every representative's block, in increasing order.
  std::vector<std::vector<int32_t>> members(static_cast<size_t>(n));
  for (int32_t j = 0; j < n; ++j) {
    const int32_t r = p[static_cast<size_t>(j)];
    if (r >= 0 && r < n && p[static_cast<size_t>(r)] == r) members[static_cast<size_t>(r)].push_back(j);
  }
  std::string out;
  for (int32_t i = 0; i < n; ++i) {
    if (p[static_cast<size_t>(i)] != i) continue;
    out += '(';
    for (int32_t j : members[static_cast<size_t>(i)]) appendElementText(out, j, maxNamedElements);
    out += ')';
  }
  return out;
}

bool partitionBelow(const Partition& p, const Partition& q) {
  for (size_t i = 0; i < p.size(); ++i) {
    if (q[static_cast<size_t>(p[i])] != q[i]) return false;
  }
  return true;
}

Partition joinPartitions(const Partition& p, const Partition& q) {
  const int32_t n = static_cast<int32_t>(p.size());
  UnionFind uf(n);
  for (int32_t i = 0; i < n; ++i) {
    uf.unite(i, p[static_cast<size_t>(i)]);
    uf.unite(i, q[static_cast<size_t>(i)]);
  }
  return uf.canonicalPartition();
}

Partition meetPartitions(const Partition& p, const Partition& q) {
  std::unordered_map<int64_t, int32_t> first;
  Partition out;
  out.reserve(p.size());
  for (size_t i = 0; i < p.size(); ++i) {
    const int64_t key = static_cast<int64_t>(p[i]) * static_cast<int64_t>(p.size()) + q[i];
    out.push_back(first.emplace(key, static_cast<int32_t>(i)).first->second);
  }
  return out;
}

int32_t countBlocks(const Partition& p) {
  int32_t count = 0;
  for (size_t i = 0; i < p.size(); ++i) count += p[i] == static_cast<int32_t>(i);
  return count;
}

std::vector<std::pair<int32_t, int32_t>> spanningPairs(const Partition& p) {
  std::vector<std::pair<int32_t, int32_t>> pairs;
  for (size_t e = 0; e < p.size(); ++e) {
    if (p[e] != static_cast<int32_t>(e)) pairs.emplace_back(p[e], static_cast<int32_t>(e));
  }
  return pairs;
}

}  // namespace kest
