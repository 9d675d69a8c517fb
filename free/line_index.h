// For one binary table, the positions in each row (or each column) at
// which each value stands, for the closure of an extended algebra: counted
// once per closure, with the entries filled during it kept beside, so
// that "where in row x is the value v" costs the answers alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kest {

class LineIndex {
 public:
  void build(const int32_t* block, int32_t n, bool rows) {
    n_ = n;
    start_.assign(static_cast<size_t>(n) * static_cast<size_t>(n + 1) + 1, 0);
    items_.resize(static_cast<size_t>(n) * static_cast<size_t>(n));
    extra_.assign(static_cast<size_t>(n), {});
    auto at = [&](int32_t line, int32_t i) {
      return block[rows ? static_cast<size_t>(line) * n + i : static_cast<size_t>(i) * n + line];
    };
    for (int32_t line = 0; line < n; ++line) {
      for (int32_t i = 0; i < n; ++i) {
        const int32_t v = at(line, i);
        if (v >= 0) ++start_[slot(line, v) + 1];
      }
    }
    for (size_t k = 1; k < start_.size(); ++k) start_[k] += start_[k - 1];
    std::vector<int32_t> fill(start_.begin(), start_.end() - 1);
    for (int32_t line = 0; line < n; ++line) {
      for (int32_t i = 0; i < n; ++i) {
        const int32_t v = at(line, i);
        if (v >= 0) items_[static_cast<size_t>(fill[slot(line, v)]++)] = i;
      }
    }
  }

  bool built() const { return !start_.empty(); }
  void add(int32_t line, int32_t i) { extra_[static_cast<size_t>(line)].push_back(i); }

  // Calls found(i) for every i at which line holds v (value(i) reads the
  // table, for the entries filled since the count).
  template <typename Value, typename Found>
  void forEach(int32_t line, int32_t v, const Value& value, const Found& found) const {
    for (int32_t k = start_[slot(line, v)]; k < start_[slot(line, v) + 1]; ++k) found(items_[static_cast<size_t>(k)]);
    for (int32_t i : extra_[static_cast<size_t>(line)]) {
      if (value(i) == v) found(i);
    }
  }

 private:
  size_t slot(int32_t line, int32_t v) const {
    return static_cast<size_t>(line) * static_cast<size_t>(n_ + 1) + static_cast<size_t>(v);
  }

  int32_t n_ = 0;
  std::vector<int32_t> start_;
  std::vector<int32_t> items_;
  std::vector<std::vector<int32_t>> extra_;
};

}  // namespace kest
