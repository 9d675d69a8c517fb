#include "structure/minimal_congruences.h"

#include <gtest/gtest.h>

#include <random>

#include "core/algebra_store.h"
#include "tests/oracle/random_inputs.h"
#include "tests/oracle/reference_structure.h"

namespace kest {
namespace {

using oracle::workspaceWithSignature;

int32_t cyclicGroup(Workspace& ws, int32_t n) {
  const int32_t k = createAlgebra(ws, n);
  for (int32_t x = 0; x < n; ++x) {
    for (int32_t y = 0; y < n; ++y) ws.algebra(k).table[x * n + y] = (x + y) % n;
  }
  return k;
}

int32_t chain(Workspace& ws, int32_t n) {
  const int32_t k = createAlgebra(ws, n);
  for (int32_t x = 0; x < n; ++x) {
    for (int32_t y = 0; y < n; ++y) {
      ws.algebra(k).table[x * n + y] = std::max(x, y);
      ws.algebra(k).table[n * n + x * n + y] = std::min(x, y);
    }
  }
  return k;
}

int distinctPrimes(int n) {
  int count = 0;
  for (int p = 2; p * p <= n; ++p) {
    if (n % p) continue;
    ++count;
    while (n % p == 0) n /= p;
  }
  return count + (n > 1);
}

TEST(MinimalCongruences, CyclicGroupsHaveOnePerPrimeDivisor) {
  for (int32_t n : {2, 6, 12, 30, 49, 60}) {
    Workspace ws = workspaceWithSignature(".");
    const int32_t k = cyclicGroup(ws, n);
    EXPECT_EQ(static_cast<int>(minimalCongruences(ws.view(k))->size()), distinctPrimes(n)) << n;
  }
}

TEST(MinimalCongruences, ChainsAndTheTwoElementLattice) {
  Workspace ws = workspaceWithSignature("L");
  chain(ws, 2);
  chain(ws, 3);
  EXPECT_EQ(minimalCongruences(ws.view(0))->size(), 1u);
  const std::vector<Partition> atoms = *minimalCongruences(ws.view(1));
  ASSERT_EQ(atoms.size(), 2u);
  EXPECT_EQ(printPartition(atoms[0], 62), "(ab)(c)");
  EXPECT_EQ(printPartition(atoms[1], 62), "(a)(bc)");
}

TEST(MinimalCongruences, AgreeWithThePlainSearchOnRandomAlgebras) {
  std::mt19937 rng(21);
  for (int round = 0; round < 300; ++round) {
    Workspace ws = workspaceWithSignature(round % 2 ? ". -" : "+c");
    const int32_t k = oracle::addRandomAlgebra(ws, 1 + static_cast<int32_t>(rng() % 6), 0.0, rng);
    ASSERT_EQ(*minimalCongruences(ws.view(k)), oracle::minimalCongruencesReference(ws, k)) << round;
  }
}

// Algebras with many congruences, where the stop pairs come and go: the
// projection x.y = x (every equivalence a congruence) with a unary
// operation that fixes some elements, chain semilattices, and sparse
// random tables of up to 14 elements.
TEST(MinimalCongruences, AgreeWithThePlainSearchWhereCongruencesAbound) {
  std::mt19937 rng(22);
  for (int round = 0; round < 300; ++round) {
    Workspace ws = workspaceWithSignature(round % 3 == 2 ? "+c" : ". -");
    const int32_t n = 1 + static_cast<int32_t>(rng() % 14);
    const int32_t k = createAlgebra(ws, n);
    std::vector<int32_t>& t = ws.algebra(k).table;
    for (int32_t x = 0; x < n; ++x) {
      for (int32_t y = 0; y < n; ++y) {
        const int32_t v = round % 3 == 0 ? x : round % 3 == 1 ? (rng() % 4 ? x : y) : std::max(x, y);
        t[static_cast<size_t>(x) * n + y] = v;
      }
      if (round % 3 != 2) t[static_cast<size_t>(n) * n + x] = rng() % 3 ? x : static_cast<int32_t>(rng() % n);
    }
    ASSERT_EQ(*minimalCongruences(ws.view(k)), oracle::minimalCongruencesReference(ws, k)) << round;
  }
}

}  // namespace
}  // namespace kest
