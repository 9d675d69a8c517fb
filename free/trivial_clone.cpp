#include "free/trivial_clone.h"

#include <vector>

#include "core/algebra_store.h"

namespace kest {

namespace {

// An element of such a free algebra: generator g (value -1), or the
// constant vector of value v (g -1).
struct Element {
  int32_t generator;
  int32_t value;
};

// What an operation gives on the arguments' kinds: its first or its second
// argument, a constant value, or something else.
enum Outcome : int32_t { kFirst = -1, kSecond = -2, kOther = -3 };

class Shapes {
 public:
  explicit Shapes(const AlgebraView& a) : a_(a), n_(a.card()), isConstant_(static_cast<size_t>(n_), 0) {
    for (int32_t c = 0; c < a.constantCount(); ++c) isConstant_[static_cast<size_t>(a.constant(c))] = 1;
  }

  // f(x, y) where x and y are free arguments (value -1; with same, both
  // are one argument) or constant values: kFirst, kSecond, a constant
  // value (>= 0, one of the constants'), or kOther.
  int32_t binary(int32_t op, int32_t x, int32_t y, bool same) const {
    bool first = x < 0;
    bool second = y < 0 && !same;
    int32_t value = -2;
    for (int32_t i = 0; i < n_; ++i) {
      for (int32_t j = 0; j < n_; ++j) {
        if (same && i != j) continue;
        const int32_t u = x < 0 ? i : x;
        const int32_t v = y < 0 ? j : y;
        const int32_t r = a_.binary(op, u, v);
        first = first && r == u;
        second = second && r == v;
        value = value == -2 || value == r ? r : -1;
      }
    }
    if (first) return kFirst;
    if (second) return kSecond;
    return value >= 0 && isConstant_[static_cast<size_t>(value)] ? value : kOther;
  }

  int32_t unary(int32_t op, int32_t x) const {
    bool identity = x < 0;
    int32_t value = -2;
    for (int32_t i = 0; i < n_; ++i) {
      const int32_t u = x < 0 ? i : x;
      const int32_t r = a_.unary(op, u);
      identity = identity && r == u;
      value = value == -2 || value == r ? r : -1;
    }
    if (identity) return kFirst;
    return value >= 0 && isConstant_[static_cast<size_t>(value)] ? value : kOther;
  }

  // The free argument and every constant value.
  std::vector<int32_t> kinds() const {
    std::vector<int32_t> out{-1};
    for (int32_t v = 0; v < n_; ++v) {
      if (isConstant_[static_cast<size_t>(v)]) out.push_back(v);
    }
    return out;
  }

 private:
  AlgebraView a_;
  int32_t n_;
  std::vector<uint8_t> isConstant_;
};

}  // namespace

bool onlyProjectionsAndConstants(const AlgebraView& a, int32_t n) {
  const Shapes shapes(a);
  const std::vector<int32_t> kinds = shapes.kinds();
  for (int32_t b = 0; b < a.binaryCount(); ++b) {
    for (int32_t x : kinds) {
      for (int32_t y : kinds) {
        // Two free arguments are one generator twice, or (n >= 2) two.
        const bool bothFree = x < 0 && y < 0;
        if (shapes.binary(b, x, y, bothFree) == kOther) return false;
        if (bothFree && n >= 2 && shapes.binary(b, x, y, false) == kOther) return false;
      }
    }
  }
  for (int32_t u = a.binaryCount(); u < a.binaryCount() + a.unaryCount(); ++u) {
    for (int32_t x : kinds) {
      if (shapes.unary(u, x) == kOther) return false;
    }
  }
  return true;
}

int32_t distinctConstantValues(const AlgebraView& a) {
  std::vector<uint8_t> seen(static_cast<size_t>(a.card()), 0);
  int32_t count = 0;
  for (int32_t c = 0; c < a.constantCount(); ++c) {
    uint8_t& s = seen[static_cast<size_t>(a.constant(c))];
    count += s == 0;
    s = 1;
  }
  return count;
}

int32_t appendProjectionsAndConstants(Workspace& ws, int32_t k, int32_t n) {
  const Shapes shapes(ws.view(k));
  const Signature& sig = ws.sig;
  std::vector<Element> elements;
  for (int32_t g = 0; g < n; ++g) elements.push_back({g, -1});
  std::vector<int32_t> elementOfValue(static_cast<size_t>(ws.algebra(k).card), -1);
  {
    const Algebra& a = ws.algebra(k);
    const TableLayout lay = ws.layout(k);
    for (int32_t c = 0; c < sig.constantCount; ++c) {
      const int32_t v = a.table[static_cast<size_t>(lay.constant(c))];
      if (elementOfValue[static_cast<size_t>(v)] >= 0) continue;
      elementOfValue[static_cast<size_t>(v)] = static_cast<int32_t>(elements.size());
      elements.push_back({-1, v});
    }
  }
  const int32_t size = static_cast<int32_t>(elements.size());
  const int32_t f = createAlgebra(ws, size);
  if (f < 0) return -1;
  const TableLayout lay = ws.layout(f);
  std::vector<int32_t>& out = ws.algebra(f).table;
  auto element = [&](int32_t outcome, int32_t first, int32_t second) {
    return outcome == kFirst ? first : outcome == kSecond ? second : elementOfValue[static_cast<size_t>(outcome)];
  };
  for (int32_t b = 0; b < sig.binaryCount; ++b) {
    for (int32_t i = 0; i < size; ++i) {
      for (int32_t j = 0; j < size; ++j) {
        const Element& x = elements[static_cast<size_t>(i)];
        const Element& y = elements[static_cast<size_t>(j)];
        const int32_t r = shapes.binary(b, x.value, y.value, x.generator >= 0 && x.generator == y.generator);
        out[static_cast<size_t>(lay.binary(b, i, j))] = element(r, i, j);
      }
    }
  }
  for (int32_t u = sig.binaryCount; u < sig.binaryCount + sig.unaryCount; ++u) {
    for (int32_t i = 0; i < size; ++i) {
      out[static_cast<size_t>(lay.unary(u, i))] =
          element(shapes.unary(u, elements[static_cast<size_t>(i)].value), i, i);
    }
  }
  const Algebra& a = ws.algebra(k);
  const TableLayout from = ws.layout(k);
  for (int32_t c = 0; c < sig.constantCount; ++c) {
    out[static_cast<size_t>(lay.constant(c))] =
        elementOfValue[static_cast<size_t>(a.table[static_cast<size_t>(from.constant(c))])];
  }
  return f;
}

}  // namespace kest
