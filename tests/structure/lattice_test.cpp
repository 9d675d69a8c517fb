// Lattice recognition, the five properties and conservativity: the fast
// tests against their defining loops on every lattice of up to 7 elements
// and on products of them, and facts of lattice theory.
#include <gtest/gtest.h>

#include <random>

#include "core/algebra_store.h"
#include "structure/glued_sum.h"
#include "structure/lattice_embedding.h"
#include "structure/lattice_recognition.h"
#include "structure/subuniverse.h"
#include "tests/oracle/random_inputs.h"
#include "tests/oracle/reference_lattice.h"

namespace kest {
namespace {

using namespace oracle;  // the lattices and plain algorithms of the tests

int32_t product(Workspace& ws, int32_t a, int32_t b) {
  std::vector<int64_t> all(static_cast<size_t>(ws.algebra(a).card * ws.algebra(b).card));
  for (size_t p = 0; p < all.size(); ++p) all[p] = static_cast<int64_t>(p);
  return appendSubproduct(ws, a, b, all);
}

std::array<bool, 5> referenceProperties(const Workspace& ws, int32_t k) {
  return {oracle::referenceDistributive(ws, k), oracle::referenceModular(ws, k),
          oracle::referenceMeetSemidistributive(ws, k), oracle::referenceJoinSemidistributive(ws, k),
          oracle::referenceWhitman(ws, k)};
}

TEST(LatticeProperties, PentagonAndDiamond) {
  Workspace ws = workspaceWithSignature("L");
  const int32_t n5 = addLatticeOfJoin(ws, kPentagon);
  const int32_t m3 = addLatticeOfJoin(ws, kDiamond);
  ASSERT_TRUE(isLattice(ws.view(n5)));
  ASSERT_TRUE(isLattice(ws.view(m3)));
  EXPECT_EQ(recognizeLattice(ws.view(n5)).properties, (std::array<bool, 5>{false, false, true, true, true}));
  const LatticeVerdict d = recognizeLattice(ws.view(m3));
  EXPECT_TRUE(d.properties[1]);   // modular
  EXPECT_FALSE(d.properties[0]);  // not distributive
  EXPECT_FALSE(d.properties[2]);
  EXPECT_FALSE(d.properties[3]);
}

// Every lattice of up to 7 elements: the fast tests agree with the plain
// ones; distributive implies modular and both semidistributive laws; a
// lattice is modular exactly when the pentagon does not embed, and
// distributive exactly when neither the pentagon nor the diamond does.
TEST(LatticeProperties, AllSmallLatticesAgreeWithDefinitionsAndTheory) {
  const std::vector<oracle::OrderMatrix> orders = oracle::latticeOrders(7);
  ASSERT_GT(orders.size(), 100u);
  size_t distributive = 0;
  size_t modularOnly = 0;
  for (const oracle::OrderMatrix& leq : orders) {
    Workspace ws = workspaceWithSignature("L");
    const int32_t n5 = addLatticeOfJoin(ws, kPentagon);
    const int32_t m3 = addLatticeOfJoin(ws, kDiamond);
    const int32_t k = addLatticeOfOrder(ws, leq);
    ASSERT_TRUE(isLattice(ws.view(k)));
    const LatticeVerdict v = recognizeLattice(ws.view(k));
    ASSERT_EQ(v.kind, LatticeVerdict::kLattice);
    ASSERT_EQ(v.properties, referenceProperties(ws, k));
    const auto [dist, mod, msd, jsd, whitman] = v.properties;
    std::vector<int32_t> map;
    const bool hasN5 = findLatticeEmbedding(ws.view(n5), ws.view(k), false, map);
    const bool hasM3 = findLatticeEmbedding(ws.view(m3), ws.view(k), false, map);
    EXPECT_EQ(mod, !hasN5);
    EXPECT_EQ(dist, !hasN5 && !hasM3);
    if (dist) {
      EXPECT_TRUE(mod && msd && jsd);
    }
    distributive += dist;
    modularOnly += mod && !dist;
    (void)whitman;
  }
  EXPECT_GT(distributive, 0u);
  EXPECT_GT(modularOnly, 0u);
}

TEST(LatticeProperties, ProductsAgreeWithDefinitions) {
  const std::vector<oracle::OrderMatrix> orders = oracle::latticeOrders(6);
  std::mt19937 rng(5);
  for (int trial = 0; trial < 60; ++trial) {
    Workspace ws = workspaceWithSignature("L");
    const int32_t a = addLatticeOfOrder(ws, orders[rng() % orders.size()]);
    const int32_t b = addLatticeOfOrder(ws, orders[rng() % orders.size()]);
    const int32_t p = product(ws, a, b);
    ASSERT_TRUE(isLattice(ws.view(p)));
    EXPECT_EQ(recognizeLattice(ws.view(p)).properties, referenceProperties(ws, p)) << "trial " << trial;
  }
}

// Lattices with one or two entries changed at random: the up-set test of
// associativity agrees with the loops over all triples.
TEST(LatticeRecognition, PerturbedLatticesAgreeWithTheLaws) {
  const std::vector<OrderMatrix> orders = latticeOrders(7);
  std::mt19937 rng(23);
  int lattices = 0;
  int semilattices = 0;
  for (int trial = 0; trial < 3000; ++trial) {
    Workspace ws = workspaceWithSignature("L");
    const int32_t k = addLatticeOfOrder(ws, orders[rng() % orders.size()]);
    Algebra& a = ws.algebra(k);
    const int32_t n = a.card;
    const int changes = static_cast<int>(rng() % 3);
    for (int c = 0; c < changes; ++c) {
      const int32_t op = static_cast<int32_t>(rng() % 2);
      const int32_t x = static_cast<int32_t>(rng() % n);
      const int32_t y = static_cast<int32_t>(rng() % n);
      const int32_t v = static_cast<int32_t>(rng() % n);
      a.table[op * n * n + x * n + y] = v;
      if (rng() % 2) a.table[op * n * n + y * n + x] = v;  // often still commutative
    }
    const bool lattice = isLattice(ws.view(k));
    ASSERT_EQ(lattice, referenceIsLattice(ws, k)) << "trial " << trial;
    for (int32_t which : {0, 2}) {
      const bool semi = isSemilattice(ws.view(k), which);
      ASSERT_EQ(semi, referenceIsSemilattice(ws, k, which == 2 ? 1 : 0)) << "trial " << trial;
      semilattices += semi;
    }
    lattices += lattice;
  }
  EXPECT_GT(lattices, 500);
  EXPECT_GT(semilattices, 2000);
}

TEST(LatticeRecognition, SemilatticesAndTheRest) {
  Workspace ws = workspaceWithSignature("L");
  const int32_t k = addLatticeOfJoin(ws, kPentagon);
  // Spoil the meet: + alone is a join semilattice.
  ws.algebra(k).table[25 + 1 * 5 + 2] = 3;
  EXPECT_FALSE(isLattice(ws.view(k)));
  EXPECT_EQ(recognizeLattice(ws.view(k)).kind, LatticeVerdict::kJoinSemilattice);
  // Spoil the join, restore the meet: a meet semilattice (. second).
  ws.algebra(k).table[25 + 1 * 5 + 2] = 0;
  ws.algebra(k).table[1 * 5 + 2] = -1;
  EXPECT_EQ(recognizeLattice(ws.view(k)).kind, LatticeVerdict::kMeetSemilattice);
  ws.algebra(k).table[25 + 1 * 5 + 2] = -1;
  EXPECT_EQ(recognizeLattice(ws.view(k)).kind, LatticeVerdict::kNeither);

  Workspace dot = workspaceWithSignature(".");
  const int32_t m = createAlgebra(dot, 2);
  dot.algebra(m).table = {0, 0, 0, 1};
  EXPECT_EQ(recognizeLattice(dot.view(m)).kind, LatticeVerdict::kMeetSemilattice);
  dot.algebra(m).table = {0, 1, 0, 1};  // not commutative
  EXPECT_EQ(recognizeLattice(dot.view(m)).kind, LatticeVerdict::kNeither);
}

TEST(Conservativity, ConstantsTablesAndUnaryOperations) {
  Workspace ws = workspaceWithSignature("+-0");
  const int32_t one = createAlgebra(ws, 1);
  ws.algebra(one).table = {0, 0, 0};
  EXPECT_TRUE(isConservative(ws.view(one)));  // one element, even with a constant
  const int32_t two = createAlgebra(ws, 2);
  ws.algebra(two).table = {0, 0, 0, 1, 0, 1, 0};
  EXPECT_FALSE(isConservative(ws.view(two)));  // a constant and two elements

  Workspace plain = workspaceWithSignature("+-");
  const int32_t k = createAlgebra(plain, 2);
  plain.algebra(k).table = {0, 0, 0, 1, 0, 1};
  EXPECT_TRUE(isConservative(plain.view(k)));
  plain.algebra(k).table[4] = 1;  // -a = b
  EXPECT_FALSE(isConservative(plain.view(k)));
  plain.algebra(k).table[4] = 0;
  plain.algebra(k).table[1] = -1;  // undefined fails
  EXPECT_FALSE(isConservative(plain.view(k)));
}

TEST(GluedSum, ChainsCopiesAndRenumbering) {
  Workspace ws = workspaceWithSignature("L");
  const int32_t c2 = addLatticeOfJoin(ws, {"ab", "bb"});
  const int32_t c3 = gluedOrdinalSum(ws, c2, c2);
  EXPECT_EQ(ws.algebra(c3).card, 3);
  EXPECT_EQ(latticeBottom(ws.view(c3)), 0);
  EXPECT_EQ(latticeTop(ws.view(c3)), 2);
  EXPECT_EQ(ws.algebra(c3).table[1 * 3 + 2], 2);  // b + c = c: the glued b is the top of A

  // B with its bottom at index 1: a one-element A under it moves a up.
  const int32_t b = addLatticeOfJoin(ws, {"aac", "abc", "ccc"});
  const int32_t one = addLatticeOfJoin(ws, {"a"});
  const int32_t s = gluedOrdinalSum(ws, one, b);
  ASSERT_EQ(ws.algebra(s).card, 3);
  EXPECT_EQ(latticeBottom(ws.view(s)), 0);
  EXPECT_EQ(ws.algebra(s).table[1 * 3 + 0], 1);  // old a (now b) is above the bottom
  EXPECT_EQ(latticeTop(ws.view(s)), 2);
  const int32_t same = gluedOrdinalSum(ws, b, one);
  EXPECT_EQ(std::vector<int32_t>(ws.algebra(same).table.begin(), ws.algebra(same).table.begin() + 18),
            std::vector<int32_t>(ws.algebra(b).table.begin(), ws.algebra(b).table.begin() + 18));

  const int32_t square = addLatticeOfJoin(ws, {"abcd", "bbdd", "cdcd", "dddd"});
  const int32_t seven = gluedOrdinalSum(ws, square, square);
  EXPECT_EQ(ws.algebra(seven).card, 7);
  EXPECT_TRUE(isLattice(ws.view(seven)));
  EXPECT_TRUE(recognizeLattice(ws.view(seven)).properties[0]);
}

// A glued sum of chains is a chain: every two elements are comparable.
TEST(GluedSum, ChainsGlueToChains) {
  std::mt19937 rng(3);
  for (int trial = 0; trial < 20; ++trial) {
    Workspace ws = workspaceWithSignature("L");
    auto chain = [&](int32_t n) {
      oracle::OrderMatrix leq(static_cast<size_t>(n * n));
      for (int32_t i = 0; i < n; ++i)
        for (int32_t j = 0; j < n; ++j) leq[static_cast<size_t>(i * n + j)] = i <= j;
      return addLatticeOfOrder(ws, leq);
    };
    const int32_t a = chain(1 + static_cast<int32_t>(rng() % 6));
    const int32_t b = chain(1 + static_cast<int32_t>(rng() % 6));
    const int32_t s = gluedOrdinalSum(ws, a, b);
    ASSERT_TRUE(isLattice(ws.view(s)));
    const int32_t n = ws.algebra(s).card;
    EXPECT_EQ(n, ws.algebra(a).card + ws.algebra(b).card - 1);
    for (int32_t x = 0; x < n; ++x)
      for (int32_t y = 0; y < n; ++y) {
        const int32_t j = ws.algebra(s).table[x * n + y];
        EXPECT_TRUE(j == x || j == y);
      }
  }
}

TEST(GluedSum, FullStoreAppendsNothing) {
  Workspace ws = workspaceWithSignature("L");
  const int32_t c2 = addLatticeOfJoin(ws, {"ab", "bb"});
  while (ws.algebraCount() < kMaxAlgebras) createAlgebra(ws, 1);
  EXPECT_EQ(gluedOrdinalSum(ws, c2, c2), -1);
  EXPECT_EQ(ws.algebraCount(), kMaxAlgebras);
}

}  // namespace
}  // namespace kest
