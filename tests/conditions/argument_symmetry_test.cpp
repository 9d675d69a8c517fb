// Profiles kept up to rearranging the arguments: the rearrangements are
// those of the values, each with the permutation that makes it, and a
// closure kept so stands for the same subalgebra as one kept whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "conditions/linear_conditions.h"
#include "conditions/profile_closure.h"
#include "tests/oracle/random_inputs.h"

namespace kest {
namespace {

TEST(ArgumentSymmetry, OnlyPatternsWithOneYAtEveryArgument) {
  EXPECT_TRUE(ArgumentSymmetry::of({{0, 0, 1}, {0, 1, 0}, {1, 0, 0}}, 3));  // majority
  EXPECT_TRUE(ArgumentSymmetry::of({{0, 0, 0, 0}, {1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}, 4));
  EXPECT_FALSE(ArgumentSymmetry::of({{0, 1, 1}, {0, 0, 1}}, 3));             // Maltsev
  EXPECT_FALSE(ArgumentSymmetry::of({{0, 1, 1}, {0, 0, 1}, {0, 1, 0}}, 3));  // Pixley
  EXPECT_FALSE(ArgumentSymmetry::of({{0, 0, 1}, {0, 1, 0}}, 3));             // argument 0 never y
  EXPECT_FALSE(ArgumentSymmetry::of({{0, 0, 1}, {0, 0, 1}, {0, 1, 0}, {1, 0, 0}}, 3));
  std::vector<std::vector<int32_t>> seven;
  for (int32_t i = 0; i < 7; ++i) {
    seven.emplace_back(7, 0);
    seven.back()[static_cast<size_t>(i)] = 1;
  }
  EXPECT_FALSE(ArgumentSymmetry::of(seven, 7));
}

// A profile of width 5: a fixed value first, then y at arguments 0..3.
TEST(ArgumentSymmetry, ArrangementsAreTheDistinctRearrangementsWithTheirPermutations) {
  const std::optional<ArgumentSymmetry> s =
      ArgumentSymmetry::of({{0, 0, 0, 0}, {1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}, 4);
  ASSERT_TRUE(s);
  std::mt19937 rng(5);
  for (int round = 0; round < 300; ++round) {
    int32_t p[5];
    for (int32_t& v : p) v = static_cast<int32_t>(rng() % 3);
    const std::vector<int32_t> before(p, p + 5);
    uint8_t rho[4];
    s->canonicalize(p, rho);
    // Sorted, the fixed value kept, and value a moved to argument rho[a].
    EXPECT_TRUE(std::is_sorted(p + 1, p + 5));
    EXPECT_EQ(p[0], before[0]);
    for (int32_t a = 0; a < 4; ++a) EXPECT_EQ(p[1 + rho[a]], before[static_cast<size_t>(1 + a)]);
    std::set<std::vector<int32_t>> seen;
    int32_t arranged[5];
    s->forEachArrangement(p, arranged, 5, [&](const int32_t* q, const uint8_t* pi) {
      EXPECT_EQ(q[0], p[0]);
      // The term composed with pi has, with y at argument i, the value the
      // term has with y at pi^-1(i).
      for (int32_t a = 0; a < 4; ++a) EXPECT_EQ(q[1 + pi[a]], p[1 + a]);
      EXPECT_TRUE(seen.insert(std::vector<int32_t>(q, q + 5)).second) << "twice";
      return true;
    });
    EXPECT_EQ(static_cast<int64_t>(seen.size()), s->orbitSize(p));
    std::vector<int32_t> sorted(before.begin() + 1, before.end());
    std::sort(sorted.begin(), sorted.end());
    int64_t permutations = 0;
    do ++permutations;
    while (std::next_permutation(sorted.begin(), sorted.end()));
    EXPECT_EQ(s->orbitSize(p), permutations);
  }
}

// Closed to the end on random algebras: the classes kept stand for exactly
// the profiles a closure kept whole finds, and each class's term has them.
TEST(ArgumentSymmetry, ClosureKeptUpToRearrangementStandsForTheWholeOne) {
  std::mt19937 rng(17);
  const char* signatures[] = {".", ". -", "+ 0", ". +"};
  int32_t compared = 0;
  for (int round = 0; round < 24; ++round) {
    Workspace ws = oracle::workspaceWithSignature(signatures[round % 4]);
    const int32_t k = oracle::addRandomAlgebra(ws, 2 + round % 2, 0.0, rng);
    const AlgebraView a = ws.view(k);
    for (const TermCondition& c : {majorityCondition(), weakNearUnanimityCondition(3), nearUnanimityCondition(4)}) {
      WorkPoll poll(noProgress());
      std::unique_ptr<TermTables> spaces[2];
      spaces[0] = std::make_unique<TermTables>(a, 1, int64_t{1} << 20, poll);
      spaces[1] = std::make_unique<TermTables>(a, 2, int64_t{1} << 20, poll);
      ProfileClosure whole(a, {spaces[0].get(), spaces[1].get()}, c.instances, c.arity, 1 << 14);
      ProfileClosure kept(a, {spaces[0].get(), spaces[1].get()}, c.instances, c.arity, 1 << 14, true);
      const auto never = [](size_t) { return false; };
      if (whole.close(never, poll) != ProfileClosure::Outcome::kComplete) continue;
      ASSERT_EQ(kept.close(never, poll), ProfileClosure::Outcome::kComplete);
      ASSERT_EQ(kept.elementCount(), static_cast<int64_t>(whole.size())) << "round " << round;
      EXPECT_LE(kept.size() * 2, whole.size() + 2) << "round " << round;
      for (size_t i = 0; i < kept.size(); ++i) ASSERT_GE(whole.indexOf(kept.profile(i)), 0) << "round " << round;
      ++compared;
    }
  }
  EXPECT_GT(compared, 30);
}

}  // namespace
}  // namespace kest
