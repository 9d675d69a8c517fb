#include "structure/lattice_order.h"

#include <algorithm>
#include <bit>

namespace kest {

TableOrder tableOrder(const AlgebraView& a, int32_t kind) {
  return {a.binaryTable(kind == kMeetSecond ? 1 : 0), a.card(), kind == kJoinFirst};
}

BitRows::BitRows(int32_t n)
    : n_(n), words_((n + 63) / 64), bits_(static_cast<size_t>(n) * static_cast<size_t>((n + 63) / 64), 0) {}

OrderSets orderSets(const TableOrder& order) {
  OrderSets s{BitRows(order.n), BitRows(order.n)};
  for (int32_t i = 0; i < order.n; ++i) {
    for (int32_t j = 0; j < order.n; ++j) {
      if (order.leq(i, j)) {
        s.up.set(i, j);
        s.down.set(j, i);
      }
    }
  }
  return s;
}

namespace {

int32_t countCommon(const uint64_t* a, const uint64_t* b, int32_t words) {
  int32_t c = 0;
  for (int32_t w = 0; w < words; ++w) c += std::popcount(a[w] & b[w]);
  return c;
}

}  // namespace

std::vector<std::vector<int32_t>> lowerCovers(const OrderSets& sets, Progress& progress) {
  const int32_t n = sets.up.size();
  std::vector<std::vector<int32_t>> covers(static_cast<size_t>(n));
  for (int32_t j = 0; j < n; ++j) {
    if (progress.stopRequested()) return covers;
    for (int32_t i = 0; i < n; ++i) {
      // i is covered by j when the interval [i, j] holds just the two.
      if (i != j && sets.up.test(i, j) && countCommon(sets.up.row(i), sets.down.row(j), sets.up.words()) == 2) {
        covers[static_cast<size_t>(j)].push_back(i);
      }
    }
  }
  return covers;
}

std::vector<int32_t> linearExtension(const OrderSets& sets) {
  const int32_t n = sets.down.size();
  std::vector<int32_t> below(static_cast<size_t>(n));
  std::vector<int32_t> order(static_cast<size_t>(n));
  for (int32_t i = 0; i < n; ++i) {
    below[static_cast<size_t>(i)] = countCommon(sets.down.row(i), sets.down.row(i), sets.down.words());
    order[static_cast<size_t>(i)] = i;
  }
  std::stable_sort(order.begin(), order.end(),
                   [&](int32_t a, int32_t b) { return below[static_cast<size_t>(a)] < below[static_cast<size_t>(b)]; });
  return order;
}

}  // namespace kest
