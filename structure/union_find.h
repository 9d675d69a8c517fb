// Union-find over 0..n-1 with union by size and path halving.
#pragma once

#include <cstdint>
#include <numeric>
#include <vector>

namespace kest {

class UnionFind {
 public:
  explicit UnionFind(int32_t n) : parent_(static_cast<size_t>(n)), size_(static_cast<size_t>(n), 1) {
    std::iota(parent_.begin(), parent_.end(), 0);
  }

  int32_t find(int32_t x) {
    while (parent_[static_cast<size_t>(x)] != x) {
      const int32_t up = parent_[static_cast<size_t>(parent_[static_cast<size_t>(x)])];
      parent_[static_cast<size_t>(x)] = up;
      x = up;
    }
    return x;
  }

  // Joins the classes of x and y; false when they were one class already.
  bool unite(int32_t x, int32_t y) {
    x = find(x);
    y = find(y);
    if (x == y) return false;
    if (size_[static_cast<size_t>(x)] < size_[static_cast<size_t>(y)]) std::swap(x, y);
    parent_[static_cast<size_t>(y)] = x;
    size_[static_cast<size_t>(x)] += size_[static_cast<size_t>(y)];
    return true;
  }

  int32_t classSize(int32_t x) { return size_[static_cast<size_t>(find(x))]; }

  // Entry i is the least element of i's class.
  std::vector<int32_t> canonicalPartition() {
    const int32_t n = static_cast<int32_t>(parent_.size());
    std::vector<int32_t> least(static_cast<size_t>(n), -1);
    std::vector<int32_t> out(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i) {
      int32_t& m = least[static_cast<size_t>(find(i))];
      if (m < 0) m = i;
      out[static_cast<size_t>(i)] = m;
    }
    return out;
  }

 private:
  std::vector<int32_t> parent_;
  std::vector<int32_t> size_;
};

}  // namespace kest
