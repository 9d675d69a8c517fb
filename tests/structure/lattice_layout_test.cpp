// Hasse diagram layouts, the space drawing's force steps and turns, and
// the lattice embedding search: small examples worked by hand, and the fast
// chain lengths and search against their plain versions.
#include "structure/lattice_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/algebra_store.h"
#include "structure/lattice_embedding.h"
#include "structure/lattice_order.h"
#include "structure/subuniverse.h"
#include "tests/oracle/random_inputs.h"
#include "tests/oracle/reference_lattice.h"

namespace kest {
namespace {

using namespace oracle;  // the lattices and plain algorithms of the tests

std::string mapText(const std::vector<int32_t>& map) {
  std::string s;
  for (int32_t e : map) s += static_cast<char>('a' + e);
  return s;
}

TEST(LatticeLayout, ChainSquareAndPoint) {
  Workspace ws = workspaceWithSignature("L");
  const int32_t chain = addLatticeOfJoin(ws, {"abc", "bbc", "ccc"});
  computeLatticeLayout(ws, chain, kJoinFirst);
  EXPECT_EQ(ws.algebra(chain).latticeY, (std::vector<int32_t>{3000, 1500, 0}));
  EXPECT_EQ(ws.algebra(chain).latticeX, (std::vector<int32_t>{1500, 1500, 1500}));
  EXPECT_EQ(ws.space.owner, chain);
  EXPECT_EQ(ws.space.drawingBottom, 0);
  EXPECT_EQ(ws.space.drawingTop, 2);

  const int32_t square = addLatticeOfJoin(ws, kSquare);
  computeLatticeLayout(ws, square, kJoinFirst);
  EXPECT_EQ(ws.algebra(square).latticeY, (std::vector<int32_t>{3000, 1500, 1500, 0}));
  EXPECT_EQ(ws.algebra(square).latticeX, (std::vector<int32_t>{1500, 0, 3000, 1500}));
  EXPECT_EQ(ws.space.owner, square);

  const int32_t point = addLatticeOfJoin(ws, {"a"});
  computeLatticeLayout(ws, point, kJoinFirst);
  EXPECT_EQ(ws.algebra(point).latticeX, (std::vector<int32_t>{1500}));
  EXPECT_EQ(ws.algebra(point).latticeY, (std::vector<int32_t>{1500}));
  EXPECT_EQ(ws.space.owner, square);  // no space drawing for one element
}

TEST(LatticeLayout, DrawingKinds) {
  Workspace meetOnly = workspaceWithSignature(".");
  const int32_t m = createAlgebra(meetOnly, 2);
  meetOnly.algebra(m).table = {0, 0, 0, 1};
  EXPECT_EQ(drawingKind(meetOnly.view(m)), kMeetFirst);
  computeLatticeLayout(meetOnly, m, kMeetFirst);
  EXPECT_EQ(meetOnly.algebra(m).latticeY, (std::vector<int32_t>{3000, 0}));

  Workspace both = workspaceWithSignature("L");
  const int32_t k = addLatticeOfJoin(both, kSquare);
  both.algebra(k).table[1] = 0;  // + no longer a semilattice
  EXPECT_EQ(drawingKind(both.view(k)), kMeetSecond);
  both.algebra(k).table[16 + 1] = 3;
  EXPECT_EQ(drawingKind(both.view(k)), -1);
}

// The chain lengths by longest paths over the covers equal the sweeps of
// the closure, on every lattice of up to 7 elements, on products, and on
// random meet semilattices.
TEST(LatticeLayout, ChainLengthsAgreeWithTheClosure) {
  for (const oracle::OrderMatrix& leq : oracle::latticeOrders(7)) {
    Workspace ws = workspaceWithSignature("L");
    const int32_t k = addLatticeOfOrder(ws, leq);
    for (int32_t kind : {kJoinFirst, kMeetSecond}) {
      ASSERT_EQ(chainLengthMatrix(ws.view(k), kind), oracle::referenceChainLengthMatrix(ws, k, kind));
    }
  }
  std::mt19937 rng(11);
  const std::vector<oracle::OrderMatrix> orders = oracle::latticeOrders(6);
  for (int trial = 0; trial < 20; ++trial) {
    Workspace ws = workspaceWithSignature("L");
    const int32_t a = addLatticeOfOrder(ws, orders[rng() % orders.size()]);
    const int32_t b = addLatticeOfOrder(ws, orders[rng() % orders.size()]);
    std::vector<int64_t> all(static_cast<size_t>(ws.algebra(a).card * ws.algebra(b).card));
    for (size_t p = 0; p < all.size(); ++p) all[p] = static_cast<int64_t>(p);
    const int32_t p = appendSubproduct(ws, a, b, all);
    ASSERT_EQ(chainLengthMatrix(ws.view(p), kJoinFirst), oracle::referenceChainLengthMatrix(ws, p, kJoinFirst));
  }
  // Meet semilattices: random subsets of a 6-set closed under intersection.
  for (int trial = 0; trial < 20; ++trial) {
    std::vector<uint32_t> sets;
    for (int i = 0; i < 8; ++i) {
      const uint32_t s = rng() & 0x3Fu;
      if (std::find(sets.begin(), sets.end(), s) == sets.end()) sets.push_back(s);
    }
    for (size_t i = 0; i < sets.size(); ++i)
      for (size_t j = 0; j < i; ++j) {
        const uint32_t meet = sets[i] & sets[j];
        if (std::find(sets.begin(), sets.end(), meet) == sets.end()) sets.push_back(meet);
      }
    Workspace ws = workspaceWithSignature(".");
    const int32_t n = static_cast<int32_t>(sets.size());
    const int32_t k = createAlgebra(ws, n);
    for (int32_t x = 0; x < n; ++x)
      for (int32_t y = 0; y < n; ++y) {
        const uint32_t meet = sets[x] & sets[y];
        ws.algebra(k).table[x * n + y] = static_cast<int32_t>(std::find(sets.begin(), sets.end(), meet) - sets.begin());
      }
    ASSERT_EQ(drawingKind(ws.view(k)), kMeetFirst);
    ASSERT_EQ(chainLengthMatrix(ws.view(k), kMeetFirst), oracle::referenceChainLengthMatrix(ws, k, kMeetFirst));
  }
}

TEST(LatticeLayout, CoversFollowsTheOrder) {
  Workspace ws = workspaceWithSignature("L");
  const int32_t k = addLatticeOfJoin(ws, kPentagon);
  EXPECT_TRUE(covers(ws.view(k), 0, 1, kJoinFirst));
  EXPECT_FALSE(covers(ws.view(k), 0, 3, kJoinFirst));  // c lies between
  EXPECT_FALSE(covers(ws.view(k), 1, 0, kJoinFirst));
  EXPECT_FALSE(covers(ws.view(k), 1, 1, kJoinFirst));
  EXPECT_TRUE(covers(ws.view(k), 1, 0, 7));  // any other kind
}

TEST(LatticeLayout, ForceStepsKeepTopBottomAndLevels) {
  Workspace ws = workspaceWithSignature("L");
  const int32_t k = addLatticeOfJoin(ws, kPentagon);
  ws.redMarked = k;
  computeLatticeLayout(ws, k, kJoinFirst);
  const std::vector<int32_t> levels = ws.algebra(k).latticeY;
  for (int step = 0; step < 50; ++step) steerLatticeDrawing(ws, k, ' ');
  for (int step = 0; step < 5; ++step) steerLatticeDrawing(ws, k, 'q');
  for (int step = 0; step < 5; ++step) steerLatticeDrawing(ws, k, 'w');
  const Algebra& a = ws.algebra(k);
  EXPECT_EQ(a.latticeY, levels);
  EXPECT_EQ(a.latticeX[0], 1500);
  EXPECT_EQ(a.latticeX[4], 1500);
  for (int32_t x : a.latticeX) {
    EXPECT_GE(x, 0);
    EXPECT_LE(x, 3000);
  }
  // b is alone on its side: the step pushes it away from c and d.
  EXPECT_NE(a.latticeX[1], a.latticeX[2]);
}

TEST(LatticeLayout, KeysRebuildTheSpaceOfAnotherLatticeAndLeaveLargeOnesAlone) {
  Workspace ws = workspaceWithSignature("L");
  const int32_t square = addLatticeOfJoin(ws, kSquare);
  const int32_t pentagon = addLatticeOfJoin(ws, kPentagon);
  computeLatticeLayout(ws, square, kJoinFirst);
  computeLatticeLayout(ws, pentagon, kJoinFirst);
  ASSERT_EQ(ws.space.owner, pentagon);
  steerLatticeDrawing(ws, square, ' ');
  EXPECT_EQ(ws.space.owner, square);
  EXPECT_EQ(ws.space.card, 4);
  // Deleting an algebra below the owner renumbers it; deleting it drops it.
  deleteAlgebra(ws, pentagon);
  EXPECT_EQ(ws.space.owner, square);
  deleteAlgebra(ws, square);
  EXPECT_EQ(ws.space.owner, -1);

  // 2^7 = 128 elements: drawn in the plane; keys change nothing.
  const int32_t two = addLatticeOfJoin(ws, {"ab", "bb"});
  int32_t big = two;
  for (int i = 0; i < 6; ++i) {
    std::vector<int64_t> all(static_cast<size_t>(ws.algebra(big).card * 2));
    for (size_t p = 0; p < all.size(); ++p) all[p] = static_cast<int64_t>(p);
    big = appendSubproduct(ws, big, two, all);
  }
  ASSERT_EQ(ws.algebra(big).card, 128);
  computeLatticeLayout(ws, big, kJoinFirst);
  EXPECT_EQ(ws.space.owner, -1);
  const std::vector<int32_t> x = ws.algebra(big).latticeX;
  steerLatticeDrawing(ws, big, ' ');
  steerLatticeDrawing(ws, big, 'q');
  EXPECT_EQ(ws.algebra(big).latticeX, x);
}

TEST(LatticeEmbedding, ExamplesOfTheSearch) {
  Workspace ws = workspaceWithSignature("L");
  const int32_t two = addLatticeOfJoin(ws, {"ab", "bb"});
  const int32_t square = addLatticeOfJoin(ws, kSquare);
  const int32_t n5 = addLatticeOfJoin(ws, kPentagon);
  const int32_t m3 = addLatticeOfJoin(ws, kDiamond);
  const int32_t chain3 = addLatticeOfJoin(ws, {"abc", "bbc", "ccc"});
  const int32_t point = addLatticeOfJoin(ws, {"a"});
  std::vector<int32_t> map;
  EXPECT_FALSE(findLatticeEmbedding(ws.view(n5), ws.view(square), false, map));  // more elements
  ASSERT_TRUE(findLatticeEmbedding(ws.view(point), ws.view(n5), false, map));
  EXPECT_EQ(mapText(map), "a");
  ASSERT_TRUE(findLatticeEmbedding(ws.view(two), ws.view(square), false, map));
  EXPECT_EQ(mapText(map), "ab");
  EXPECT_FALSE(findLatticeEmbedding(ws.view(n5), ws.view(m3), false, map));
  ASSERT_TRUE(findLatticeEmbedding(ws.view(n5), ws.view(n5), true, map));  // the pentagon is self-dual
  EXPECT_EQ(mapText(map), "ebdca");
  ASSERT_TRUE(findLatticeEmbedding(ws.view(chain3), ws.view(chain3), true, map));
  EXPECT_EQ(mapText(map), "cba");
}

// The pruned search finds the very map of the plain one, for embeddings
// and dual embeddings among small lattices.
TEST(LatticeEmbedding, AgreesWithThePlainSearch) {
  const std::vector<oracle::OrderMatrix> small = oracle::latticeOrders(5);
  const std::vector<oracle::OrderMatrix> large = oracle::latticeOrders(7);
  std::mt19937 rng(17);
  int found = 0;
  for (int trial = 0; trial < 400; ++trial) {
    Workspace ws = workspaceWithSignature("L");
    const int32_t a = addLatticeOfOrder(ws, small[rng() % small.size()]);
    const int32_t b = addLatticeOfOrder(ws, large[rng() % large.size()]);
    for (bool dual : {false, true}) {
      std::vector<int32_t> fast;
      std::vector<int32_t> plain;
      const bool f = findLatticeEmbedding(ws.view(a), ws.view(b), dual, fast);
      ASSERT_EQ(f, oracle::referenceLatticeEmbedding(ws, a, b, dual, plain));
      if (f) {
        EXPECT_EQ(fast, plain);
      }
      found += f;
    }
    std::vector<int32_t> fast;
    std::vector<int32_t> plain;
    ASSERT_EQ(findLatticeEmbedding(ws.view(b), ws.view(b), true, fast),
              oracle::referenceLatticeEmbedding(ws, b, b, true, plain));
    EXPECT_EQ(fast, plain);
  }
  EXPECT_GT(found, 50);
}

}  // namespace
}  // namespace kest
