#include "free/boolean_completeness.h"

#include <vector>

namespace kest {

namespace {

// An operation of arity 0, 1 or 2 as its values at the assignments
// 0 .. 2^arity - 1 (argument 0 the most significant bit).
struct BooleanOp {
  int32_t arity;
  std::vector<int32_t> value;
};

bool keepsConstant(const BooleanOp& f, int32_t bit) {
  const size_t all = bit ? f.value.size() - 1 : 0;
  return f.value[all] == bit;
}

bool selfDual(const BooleanOp& f) {
  const size_t last = f.value.size() - 1;
  for (size_t t = 0; t < f.value.size(); ++t) {
    if (f.value[last - t] != 1 - f.value[t]) return false;
  }
  return true;
}

bool monotone(const BooleanOp& f) {
  for (size_t s = 0; s < f.value.size(); ++s) {
    for (size_t t = 0; t < f.value.size(); ++t) {
      if ((s & t) == s && f.value[s] > f.value[t]) return false;
    }
  }
  return true;
}

// Affine: f(x) = c xor (the xor of some arguments); the coefficients are
// read off at 0 and at the unit vectors, then checked everywhere.
bool affine(const BooleanOp& f) {
  const int32_t c = f.value[0];
  for (size_t t = 0; t < f.value.size(); ++t) {
    int32_t v = c;
    for (int32_t i = 0; i < f.arity; ++i) {
      const size_t unit = size_t{1} << i;
      if (t & unit) v ^= f.value[unit] ^ c;
    }
    if (f.value[t] != v) return false;
  }
  return true;
}

}  // namespace

bool isFunctionallyComplete(const AlgebraView& a) {
  if (a.card() != 2) return false;
  std::vector<BooleanOp> ops;
  for (int32_t b = 0; b < a.binaryCount(); ++b) {
    // Assignment t = 2x + y.
    BooleanOp f{2, {}};
    for (int32_t t = 0; t < 4; ++t) f.value.push_back(a.binary(b, t >> 1, t & 1));
    ops.push_back(f);
  }
  for (int32_t u = a.binaryCount(); u < a.binaryCount() + a.unaryCount(); ++u)
    ops.push_back({1, {a.unary(u, 0), a.unary(u, 1)}});
  for (int32_t c = 0; c < a.constantCount(); ++c) ops.push_back({0, {a.constant(c)}});
  bool escapes[5] = {false, false, false, false, false};
  for (const BooleanOp& f : ops) {
    for (int32_t v : f.value) {
      if (v < 0 || v > 1) return false;
    }
    escapes[0] |= !keepsConstant(f, 0);
    escapes[1] |= !keepsConstant(f, 1);
    escapes[2] |= !selfDual(f);
    escapes[3] |= !monotone(f);
    escapes[4] |= !affine(f);
  }
  for (bool e : escapes) {
    if (!e) return false;
  }
  return true;
}

}  // namespace kest
