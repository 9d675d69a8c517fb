// Profiles up to rearranging a term's arguments. When the instances of a
// closure are the k patterns with y at one argument and x elsewhere (and
// perhaps instances with one variable throughout), rearranging the
// arguments of a term rearranges those k values of its profile, and the
// identities of near-unanimity, weak near-unanimity, majority and minority
// terms ask the same of every rearrangement. A closure then keeps one
// profile per rearrangement class, its k values sorted: up to k! times
// fewer profiles, and as many times fewer products to try.
//
// Permutations act on arguments: (t o p)(a_0, ..., a_(k-1)) =
// t(a_p(0), ..., a_p(k-1)); its value with y at argument i is t's with y at
// argument p^-1(i).
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace kest {

// At most this many arguments: a pair of profiles is tried in every
// rearrangement of one of them, up to k! products.
inline constexpr int32_t kMostSymmetricArguments = 6;

class ArgumentSymmetry {
 public:
  // Nothing unless patterns (one per instance, variables by number) are of
  // the form above with 2 <= arity <= kMostSymmetricArguments.
  static std::optional<ArgumentSymmetry> of(const std::vector<std::vector<int32_t>>& patterns, int32_t arity);

  int32_t arity() const { return static_cast<int32_t>(yAt_.size()); }

  // Sorts the values of profile p at the y instances into the canonical
  // order; rho gets the permutation with p (as it was) o rho = p (as it is).
  void canonicalize(int32_t* p, uint8_t* rho) const;

  // Calls visit(arranged, pi) for every distinct rearrangement of the
  // canonical profile p (width values, copied first into arranged, which
  // must not overlap p): arranged is then the profile of the term of p
  // composed with pi. Stops and answers false when visit does.
  template <class Visit>
  bool forEachArrangement(const int32_t* p, int32_t* arranged, size_t width, Visit&& visit) const;

  // The number of distinct rearrangements of the canonical profile p.
  int64_t orbitSize(const int32_t* p) const;

 private:
  std::vector<int32_t> yAt_;  // yAt_[a]: the instance with y at argument a
};

// (a . b)(m) = a(b(m)).
void composePermutations(const uint8_t* a, const uint8_t* b, uint8_t* out, int32_t k);

template <class Visit>
bool ArgumentSymmetry::forEachArrangement(const int32_t* p, int32_t* arranged, size_t width, Visit&& visit) const {
  const int32_t k = arity();
  uint8_t from[kMostSymmetricArguments];  // the arranged value at argument a is p's at argument from[a]
  uint8_t pi[kMostSymmetricArguments];
  for (int32_t a = 0; a < k; ++a) from[a] = static_cast<uint8_t>(a);
  std::copy(p, p + width, arranged);
  auto value = [&](uint8_t a) { return p[yAt_[a]]; };
  for (;;) {
    for (int32_t a = 0; a < k; ++a) {
      arranged[yAt_[static_cast<size_t>(a)]] = value(from[a]);
      pi[from[a]] = static_cast<uint8_t>(a);
    }
    if (!visit(static_cast<const int32_t*>(arranged), static_cast<const uint8_t*>(pi))) return false;
    // The next arrangement of the values (equal values are not told apart).
    int32_t i = k - 2;
    while (i >= 0 && value(from[i]) >= value(from[i + 1])) --i;
    if (i < 0) return true;
    int32_t j = k - 1;
    while (value(from[j]) <= value(from[i])) --j;
    std::swap(from[i], from[j]);
    for (int32_t l = i + 1, r = k - 1; l < r; ++l, --r) std::swap(from[l], from[r]);
  }
}

}  // namespace kest
