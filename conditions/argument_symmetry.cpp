#include "conditions/argument_symmetry.h"

#include <algorithm>

namespace kest {

std::optional<ArgumentSymmetry> ArgumentSymmetry::of(const std::vector<std::vector<int32_t>>& patterns, int32_t arity) {
  if (arity < 2 || arity > kMostSymmetricArguments) return std::nullopt;
  ArgumentSymmetry s;
  s.yAt_.assign(static_cast<size_t>(arity), -1);
  for (size_t j = 0; j < patterns.size(); ++j) {
    const std::vector<int32_t>& p = patterns[j];
    if (static_cast<int32_t>(p.size()) != arity) return std::nullopt;
    // One variable throughout: every rearrangement leaves the value alone.
    if (std::all_of(p.begin(), p.end(), [&](int32_t v) { return v == p[0]; })) continue;
    if (std::count(p.begin(), p.end(), 1) != 1 || std::count(p.begin(), p.end(), 0) != arity - 1) return std::nullopt;
    int32_t& at = s.yAt_[static_cast<size_t>(std::find(p.begin(), p.end(), 1) - p.begin())];
    if (at >= 0) return std::nullopt;
    at = static_cast<int32_t>(j);
  }
  if (std::find(s.yAt_.begin(), s.yAt_.end(), -1) != s.yAt_.end()) return std::nullopt;
  return s;
}

void ArgumentSymmetry::canonicalize(int32_t* p, uint8_t* rho) const {
  const int32_t k = arity();
  int32_t values[kMostSymmetricArguments];
  for (int32_t a = 0; a < k; ++a) values[a] = p[yAt_[static_cast<size_t>(a)]];
  // The place of each value in the stable sorted order, counted without
  // branches (k is at most 6). The sorted profile is that of the term
  // composed with rho: value a moves to argument rho[a].
  for (int32_t a = 0; a < k; ++a) {
    int32_t rank = 0;
    for (int32_t b = 0; b < k; ++b)
      rank += static_cast<int32_t>(values[b] < values[a]) + static_cast<int32_t>(b < a && values[b] == values[a]);
    rho[a] = static_cast<uint8_t>(rank);
    p[yAt_[static_cast<size_t>(rank)]] = values[a];
  }
}

int64_t ArgumentSymmetry::orbitSize(const int32_t* p) const {
  const int32_t k = arity();
  int64_t size = 1;
  for (int32_t a = 2; a <= k; ++a) size *= a;
  // Values are sorted: divide by the factorial of each run's length.
  for (int32_t a = 0, run = 0; a < k; ++a) {
    run = a > 0 && p[yAt_[static_cast<size_t>(a)]] == p[yAt_[static_cast<size_t>(a - 1)]] ? run + 1 : 1;
    size /= run;
  }
  return size;
}

void composePermutations(const uint8_t* a, const uint8_t* b, uint8_t* out, int32_t k) {
  for (int32_t m = 0; m < k; ++m) out[m] = a[b[m]];
}

}  // namespace kest
