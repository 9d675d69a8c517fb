// The fast decisions against the plain search on random small algebras,
// and what a search does with a partial algebra, one element, a stop and
// a closure that takes too long.
#include <gtest/gtest.h>

#include <random>

#include "commands/condition_commands.h"
#include "commands/condition_texts.h"
#include "conditions/linear_conditions.h"
#include "core/algebra_store.h"
#include "core/command_scope.h"
#include "tests/oracle/random_inputs.h"
#include "tests/oracle/reference_conditions.h"
#include "tests/oracle/test_progress.h"

namespace kest {
namespace {
// Random two-element algebras (whose clones the plain search lists in
// full): the fast verdicts, and the least numbers of chain terms, are the
// plain search's.
TEST(MaltsevConditions, AgreeWithThePlainSearchOnRandomAlgebras) {
  std::mt19937 rng(31);
  const char* signatures[] = {".", "+ -", "- 0", ". +", ". 0 1", "-"};
  int32_t compared = 0;
  for (int round = 0; round < 90; ++round) {
    Workspace ws = oracle::workspaceWithSignature(signatures[round % 6]);
    const int32_t k = oracle::addRandomAlgebra(ws, 2, 0.0, rng);
    for (const ConditionInfo& info : conditionTable()) {
      if (info.condition == Condition::kAll || info.condition == Condition::kSdMeet) continue;
      // Some groupoids ask for 4-ary near-unanimity terms, which a variety
      // shown not distributive is refused without their own search.
      const int32_t bound = info.condition == Condition::kNearUnanimity ? (round % 12 == 0 ? 4 : 3) : info.defaultK;
      const std::optional<oracle::ReferenceVerdict> plain =
          oracle::referenceCondition(ws.view(k), info.condition, bound);
      if (!plain) continue;
      const ConditionResult fast = decideCondition(ws.view(k), info.condition, bound, noProgress());
      ASSERT_NE(fast.verdict, Verdict::kUndecided) << info.word << " round " << round;
      ASSERT_EQ(fast.verdict == Verdict::kHolds, plain->holds) << info.word << " round " << round;
      if (plain->holds && (info.condition == Condition::kPermutable || info.condition == Condition::kDistributive ||
                           info.condition == Condition::kModular)) {
        ASSERT_EQ(fast.least, plain->least) << info.word << " round " << round;
      }
      ++compared;
    }
  }
  EXPECT_GT(compared, 400);
}

TEST(MaltsevConditions, RefusalsOneElementAndStops) {
  Workspace ws = oracle::workspaceWithSignature(".");
  const int32_t partial = createAlgebra(ws, 3);
  conditionReport(ws, partial, Condition::kMaltsev, 0, noProgress());
  EXPECT_EQ(ws.messages.lines(), std::vector<std::string>{"Works for complete algebras only"});
  const int32_t one = createAlgebra(ws, 1);
  ws.algebra(one).table[0] = 0;
  conditionReport(ws, one, Condition::kAll, 0, noProgress());
  EXPECT_EQ(ws.messages.lines().front(), "A1 has a Maltsev term");
  conditionReport(ws, one, Condition::kMaltsev, 0, noProgress());
  EXPECT_EQ(ws.messages.lines(), (std::vector<std::string>{"A1 has a Maltsev term",
                                                           "Trivially: A1 has at most one element", "p(x,y,z) = x"}));
  conditionReport(ws, one, Condition::kNearUnanimity, 2, noProgress());
  EXPECT_EQ(ws.messages.lines(), std::vector<std::string>{"Could not decide: K must be from 3 to 26"});
  // Stopped early and late in a search of many terms: everything stays.
  Workspace big = oracle::workspaceWithSignature(".");
  std::mt19937 rng(4);
  const int32_t k = oracle::addRandomAlgebra(big, 7, 0.0, rng);
  big.messages.setMessage("before");
  for (int64_t at : {1, 2, 5}) {
    oracle::StopAtPoll stop(at);
    const size_t nodes = big.terms.nodeOp.size();
    runCommand(big, stop, 0, [&] {
      conditionReport(big, k, Condition::kSdMeet, 0, stop);
      return 0;
    });
    EXPECT_TRUE(stop.stopped()) << at;
    EXPECT_EQ(big.messages.lines(), std::vector<std::string>{"Interrupted"}) << at;
    EXPECT_EQ(big.terms.nodeOp.size(), nodes) << at;
    EXPECT_EQ(big.algebraCount(), 1) << at;
  }
}

// A groupoid on three elements whose Maltsev search meets tens of
// thousands of terms: with a bound of 1000 products the closure gives up
// at exactly that many, and the verdict says how far it came.
TEST(MaltsevConditions, ASearchGivesUpAfterItsProductsAndSaysSo) {
  Workspace ws = oracle::workspaceWithSignature(".");
  const int32_t k = createAlgebra(ws, 3);
  ws.algebra(k).table = {0, 0, 0, 1, 0, 2, 2, 1, 1};
  const AlgebraView a = ws.view(k);
  WorkPoll poll(noProgress());
  TermTables f1(a, 1, int64_t{1} << 20, poll);
  TermTables f2(a, 2, int64_t{1} << 20, poll);
  const TermCondition c = maltsevCondition();
  ProfileClosure closure(a, {&f1, &f2}, c.instances, c.arity, kMostProfiles, false, 1000);
  EXPECT_EQ(closure.close([](size_t) { return false; }, poll), ProfileClosure::Outcome::kTooLong);
  EXPECT_EQ(closure.products(), 1000);
  ConditionResult r;
  r.verdict = Verdict::kUndecided;
  r.reason.kind = ConditionReason::Kind::kTooLong;
  r.reason.size = closure.elementCount();
  r.reason.products = closure.products();
  EXPECT_EQ(verdictLine(r, k), "Could not decide: the search gave up after 1,000 products of its " +
                                   std::to_string(closure.elementCount()) + " terms");
  EXPECT_GT(closure.elementCount(), 10);
}

}  // namespace
}  // namespace kest
