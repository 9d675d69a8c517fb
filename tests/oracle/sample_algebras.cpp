#include "tests/oracle/sample_algebras.h"

#include <algorithm>
#include <functional>
#include <numeric>
#include <random>

#include "core/algebra_store.h"

namespace kest::oracle {

namespace {

// Fills the first binary table (and the second, when given) from functions
// of the elements' numbers before renumbering by name.
int32_t addBinary(Workspace& ws, int32_t n, const std::function<int32_t(int32_t, int32_t)>& first,
                  const std::function<int32_t(int32_t, int32_t)>& second, const std::vector<int32_t>& name) {
  const int32_t k = createAlgebra(ws, n);
  std::vector<int32_t>& t = ws.algebra(k).table;
  const size_t nn = static_cast<size_t>(n) * static_cast<size_t>(n);
  for (int32_t x = 0; x < n; ++x) {
    for (int32_t y = 0; y < n; ++y) {
      const size_t at = static_cast<size_t>(name[static_cast<size_t>(x)]) * static_cast<size_t>(n) +
                        static_cast<size_t>(name[static_cast<size_t>(y)]);
      t[at] = name[static_cast<size_t>(first(x, y))];
      if (second) t[nn + at] = name[static_cast<size_t>(second(x, y))];
    }
  }
  return k;
}

std::vector<int32_t> identityNames(int32_t n) {
  std::vector<int32_t> name(static_cast<size_t>(n));
  std::iota(name.begin(), name.end(), 0);
  return name;
}

}  // namespace

int32_t addChainProductLattice(Workspace& ws, const std::vector<int32_t>& lengths, uint32_t shuffle) {
  int32_t n = 1;
  for (int32_t len : lengths) n *= len;
  auto digits = [&](int32_t x) {
    std::vector<int32_t> d(lengths.size());
    for (size_t i = lengths.size(); i-- > 0;) {
      d[i] = x % lengths[i];
      x /= lengths[i];
    }
    return d;
  };
  auto number = [&](const std::vector<int32_t>& d) {
    int32_t x = 0;
    for (size_t i = 0; i < d.size(); ++i) x = x * lengths[i] + d[i];
    return x;
  };
  auto pointwise = [&](auto pick) {
    return [&, pick](int32_t x, int32_t y) {
      std::vector<int32_t> a = digits(x);
      const std::vector<int32_t> b = digits(y);
      for (size_t i = 0; i < a.size(); ++i) a[i] = pick(a[i], b[i]);
      return number(a);
    };
  };
  std::vector<int32_t> name = identityNames(n);
  if (shuffle != 0) std::shuffle(name.begin(), name.end(), std::mt19937(shuffle));
  return addBinary(ws, n, pointwise([](int32_t a, int32_t b) { return std::max(a, b); }),
                   pointwise([](int32_t a, int32_t b) { return std::min(a, b); }), name);
}

int32_t addSemilatticePower(Workspace& ws, int32_t k) {
  return addBinary(
      ws, 1 << k, [](int32_t x, int32_t y) { return x & y; }, nullptr, identityNames(1 << k));
}

int32_t addBooleanLattice(Workspace& ws, int32_t k) {
  return addBinary(
      ws, 1 << k, [](int32_t x, int32_t y) { return x | y; }, [](int32_t x, int32_t y) { return x & y; },
      identityNames(1 << k));
}

int32_t addCyclicSum(Workspace& ws, int32_t n) {
  return addBinary(
      ws, n, [n](int32_t x, int32_t y) { return (x + y) % n; }, nullptr, identityNames(n));
}

}  // namespace kest::oracle
