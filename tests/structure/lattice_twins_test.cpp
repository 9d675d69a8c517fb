// Con(A) and Sub(A) against their plain twins on random algebras: the
// same elements in the same order with the same join irreducibles, and
// the covers found from the join irreducibles against a plain order test.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "core/algebra_store.h"
#include "structure/congruence_lattice.h"
#include "structure/lattice_covers.h"
#include "tests/oracle/random_inputs.h"
#include "tests/oracle/reference_lattices.h"

namespace kest {
namespace {

oracle::ReferenceLattice asReference(const LatticeListing& l) {
  oracle::ReferenceLattice r;
  for (size_t i = 0; i < l.size(); ++i) {
    r.elements.push_back(l.element(i));
    r.joinIrreducible.push_back(l.joinIrreducible(i) ? 1 : 0);
  }
  return r;
}

void expectSameLattice(const oracle::ReferenceLattice& fast, const oracle::ReferenceLattice& plain,
                       const std::string& what) {
  ASSERT_EQ(fast.elements.size(), plain.elements.size()) << what;
  for (size_t i = 0; i < fast.elements.size(); ++i) {
    ASSERT_EQ(fast.elements[i], plain.elements[i]) << what << " element " << i;
    ASSERT_EQ(fast.joinIrreducible[i], plain.joinIrreducible[i]) << what << " element " << i;
  }
}

// Signatures with binary and unary operations and constants; Sub also on
// partial tables.
const char* const kSignatures[] = {".", ". -", "+c 0", "* + 1", "- ' 0 1", "L"};

TEST(LatticeTwins, ConAgreesWithThePlainClosureOnRandomAlgebras) {
  std::mt19937 rng(2024);
  for (int round = 0; round < 300; ++round) {
    Workspace ws = oracle::workspaceWithSignature(kSignatures[round % 6]);
    const int32_t n = static_cast<int32_t>(rng() % 8);
    const int32_t k = oracle::addRandomAlgebra(ws, n, 0.0, rng);
    const LatticeResult fast = congruenceLattice(ws.view(k), 1000000);
    ASSERT_EQ(fast.status, LatticeStatus::kDone);
    const oracle::ReferenceLattice plain = oracle::congruenceLatticeReference(ws, k);
    const std::string what = "round " + std::to_string(round) + " n " + std::to_string(n);
    expectSameLattice(asReference(fast.listing), plain, what);
    const std::optional<CoverPairs> covers = latticeCovers(fast.listing, noProgress());
    ASSERT_TRUE(covers.has_value());
    EXPECT_EQ(*covers, oracle::coversReference(plain, true)) << what;
  }
}

// Algebras of 9 to 24 elements, beyond the brute force over all partitions:
// unary operations alone have many congruences, so the closure meets long
// chains of joins, the table of joins and every kind of join (packed words
// up to 16 elements, then relabelling and union-find); lattices of up to
// 200 elements are compared with the plain closure.
TEST(LatticeTwins, ConOfNineToTwentyFourElementsAgreesWithThePlainClosure) {
  std::mt19937 rng(2025);
  const char* const signatures[] = {"-", "- '", "- 0", "."};
  int32_t compared = 0;
  int32_t comparedOf16 = 0;
  int32_t comparedAbove16 = 0;
  for (int round = 0; round < 400 && compared < 60; ++round) {
    Workspace ws = oracle::workspaceWithSignature(signatures[round % 4]);
    const int32_t n = 9 + static_cast<int32_t>(rng() % 16);
    const int32_t k = oracle::addRandomAlgebra(ws, n, 0.0, rng);
    const LatticeResult fast = congruenceLattice(ws.view(k), 200);
    if (fast.status != LatticeStatus::kDone) continue;
    const std::string what = "round " + std::to_string(round) + " n " + std::to_string(n);
    expectSameLattice(asReference(fast.listing), oracle::congruenceLatticeReference(ws, k), what);
    ++compared;
    comparedOf16 += n == 16;
    comparedAbove16 += n > 16;
  }
  EXPECT_GE(compared, 50);
  EXPECT_GE(comparedOf16, 2);
  EXPECT_GE(comparedAbove16, 12);
}

TEST(LatticeTwins, SubAgreesWithAllSubsetsOnRandomPartialAlgebras) {
  std::mt19937 rng(77);
  for (int round = 0; round < 300; ++round) {
    Workspace ws = oracle::workspaceWithSignature(kSignatures[round % 6]);
    const int32_t n = static_cast<int32_t>(rng() % 10);
    const double undefined = round % 3 == 0 ? 0.0 : round % 3 == 1 ? 0.3 : 0.8;
    const int32_t k = oracle::addRandomAlgebra(ws, n, undefined, rng);
    const LatticeResult fast = subuniverseLattice(ws.view(k), 1000000);
    ASSERT_EQ(fast.status, LatticeStatus::kDone);
    const oracle::ReferenceLattice plain = oracle::subuniverseLatticeReference(ws, k);
    const std::string what = "round " + std::to_string(round) + " n " + std::to_string(n);
    expectSameLattice(asReference(fast.listing), plain, what);
    const std::optional<CoverPairs> covers = latticeCovers(fast.listing, noProgress());
    ASSERT_TRUE(covers.has_value());
    EXPECT_EQ(*covers, oracle::coversReference(plain, false)) << what;
  }
}

// A permutation's subuniverses are the unions of its cycles. On 50 to 64
// elements (one-word sort keys up to 57, rows of members past them) the
// list holds each union once, smaller first and, of one size, the one
// holding the least element where two differ.
TEST(LatticeTwins, SubOfPermutationsListsEveryUnionOfCyclesInOrder) {
  std::mt19937 rng(79);
  for (int32_t n = 50; n <= 64; ++n) {
    Workspace ws = oracle::workspaceWithSignature("-");
    const int32_t k = createAlgebra(ws, n);
    std::vector<int32_t> elements(static_cast<size_t>(n));
    std::iota(elements.begin(), elements.end(), 0);
    std::shuffle(elements.begin(), elements.end(), rng);
    int32_t cycles = 0;
    for (int32_t start = 0; start < n; ++cycles) {
      const int32_t length = std::min(n - start, 4 + static_cast<int32_t>(rng() % 5));
      for (int32_t i = 0; i < length; ++i) {
        ws.algebra(k).table[static_cast<size_t>(elements[static_cast<size_t>(start + i)])] =
            elements[static_cast<size_t>(start + (i + 1) % length)];
      }
      start += length;
    }
    const LatticeResult sub = subuniverseLattice(ws.view(k), 1 << 20);
    ASSERT_EQ(sub.status, LatticeStatus::kDone) << n;
    ASSERT_EQ(sub.listing.size(), size_t{1} << cycles) << n;
    EXPECT_EQ(sub.listing.joinIrreducibleCount(), static_cast<size_t>(cycles)) << n;
    for (size_t i = 0; i + 1 < sub.listing.size(); ++i) {
      const std::vector<int32_t> s = sub.listing.members(i);
      const std::vector<int32_t> t = sub.listing.members(i + 1);
      ASSERT_TRUE(s.size() < t.size() || (s.size() == t.size() && s < t)) << n << " at " << i;
    }
  }
}

// Past 64 and 128 elements the member rows take more words, and past the
// byte tables' budget (Z_300) the members are combined one by one. Sub of
// Z_n under + is its subgroups, one per divisor, and the empty set.
TEST(LatticeTwins, SubOfCyclicGroupsHasOneSubgroupPerDivisor) {
  for (int32_t n : {63, 64, 65, 128, 130, 300}) {
    for (const char* signature : {"+", "+ - 0"}) {
      Workspace ws = oracle::workspaceWithSignature(signature);
      const int32_t k = createAlgebra(ws, n);
      Algebra& a = ws.algebra(k);
      for (int32_t x = 0; x < n; ++x) {
        for (int32_t y = 0; y < n; ++y) a.table[static_cast<size_t>(x * n + y)] = (x + y) % n;
      }
      const bool withInverse = std::string(signature) != "+";
      if (withInverse) {
        for (int32_t x = 0; x < n; ++x) a.table[static_cast<size_t>(n * n + x)] = (n - x) % n;
        a.table.back() = 0;
      }
      std::vector<std::vector<int32_t>> expected;
      if (!withInverse) expected.push_back({});
      for (int32_t d = n; d >= 1; --d) {
        if (n % d != 0) continue;
        std::vector<int32_t> multiples;
        for (int32_t x = 0; x < n; x += d) multiples.push_back(x);
        expected.push_back(multiples);
      }
      const LatticeResult sub = subuniverseLattice(ws.view(k), 1000);
      ASSERT_EQ(sub.listing.size(), expected.size()) << n << " " << signature;
      for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(sub.listing.members(i), expected[i]) << n << " " << i;
    }
  }
  // The semilattice 2^7 (meet): 128 elements, two words a row, and far
  // more subuniverses than the stop.
  Workspace ws = oracle::workspaceWithSignature(".");
  const int32_t k = createAlgebra(ws, 128);
  for (int32_t x = 0; x < 128; ++x) {
    for (int32_t y = 0; y < 128; ++y) ws.algebra(k).table[static_cast<size_t>(x * 128 + y)] = x & y;
  }
  EXPECT_EQ(subuniverseLattice(ws.view(k), 10).status, LatticeStatus::kTooMany);
  EXPECT_EQ(subuniverseLattice(ws.view(k), 300).status, LatticeStatus::kTooMany);
}

}  // namespace
}  // namespace kest
