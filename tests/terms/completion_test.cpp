#include "terms/completion.h"

#include <gtest/gtest.h>

#include <random>

#include "core/algebra_store.h"
#include "terms/formulas.h"
#include "terms/term_parse.h"
#include "terms/term_print.h"
#include "tests/oracle/random_inputs.h"
#include "tests/oracle/reference_completion.h"

namespace kest {
namespace {

using oracle::workspaceWithSignature;

void equation(Workspace& ws, const char* text) { ASSERT_TRUE(oracle::addEquationText(ws, text)) << text; }

TEST(Completion, TheExamples) {
  Workspace ws = workspaceWithSignature("+ci");
  createAlgebra(ws, 2);
  equation(ws, "x+y=y+x");
  const std::vector<int32_t> before = ws.algebra(0).table;
  EXPECT_EQ(completeByEquations(ws, 0), CompletionResult::kOk);
  EXPECT_EQ(ws.algebra(0).table, before);

  Workspace unit = workspaceWithSignature(". 0");
  createAlgebra(unit, 3);
  unit.algebra(0).table[9] = 0;
  equation(unit, "x0=x");
  EXPECT_EQ(completeByEquations(unit, 0), CompletionResult::kOk);
  for (int32_t x = 0; x < 3; ++x) EXPECT_EQ(unit.algebra(0).table[x * 3], x);

  Workspace bad = workspaceWithSignature(".c");
  createAlgebra(bad, 2);
  bad.algebra(0).table = {-1, 0, 1, -1};
  const std::vector<int32_t> table = bad.algebra(0).table;
  EXPECT_EQ(completeByEquations(bad, 0), CompletionResult::kOk);  // no equation: unchecked
  equation(bad, "xx=xx");
  EXPECT_EQ(completeByEquations(bad, 0), CompletionResult::kContradictory);
  EXPECT_EQ(bad.algebra(0).table, table);
}

// Random partial tables (a share of the entries of a random complete one,
// or of a group), random equation sets: the same verdict and table.
TEST(Completion, AgreesWithThePlainCompletion) {
  std::mt19937 rng(71);
  const char* signatures[] = {".", ". - 1", "+c .", "+ci", ".i -"};
  int contradictions = 0;
  int completed = 0;
  for (int round = 0; round < 600; ++round) {
    Workspace ws = workspaceWithSignature(signatures[round % 5]);
    const int32_t n = 1 + static_cast<int32_t>(rng() % 4);
    const int32_t k = oracle::addRandomAlgebra(ws, n, 0.6, rng);
    const int equations = 1 + static_cast<int>(rng() % 3);
    for (int e = 0; e < equations; ++e) {
      const int32_t l = oracle::randomTerm(ws, 3, static_cast<int32_t>(rng() % 3), rng);
      const int32_t r = oracle::randomTerm(ws, 3, static_cast<int32_t>(rng() % 3), rng);
      addEquation(ws, l, r);
    }
    Workspace plain = ws;
    const std::vector<int32_t> before = ws.algebra(k).table;
    const CompletionResult fast = completeByEquations(ws, k);
    contradictions += fast == CompletionResult::kContradictory;
    completed += fast == CompletionResult::kOk && ws.algebra(k).table != before;
    const int32_t expected = oracle::completeByEquationsReference(plain, k);
    ASSERT_EQ(fast == CompletionResult::kOk, expected == 1) << round;
    ASSERT_EQ(ws.algebra(k).table, plain.algebra(k).table) << round;
  }
  // Both outcomes are exercised, and completions that fill entries.
  EXPECT_GT(contradictions, 50);
  EXPECT_GT(completed, 50);
}

TEST(Completion, GroupLawsCompleteAPartialGroupTable) {
  // Z_6 with a third of its sums given, the group laws with 1 and -.
  Workspace ws = workspaceWithSignature(". - 1");
  const int32_t n = 6;
  const int32_t k = createAlgebra(ws, n);
  std::mt19937 rng(72);
  for (int32_t x = 0; x < n; ++x) {
    for (int32_t y = 0; y < n; ++y) {
      if (rng() % 3 == 0) ws.algebra(k).table[x * n + y] = (x + y) % n;
    }
    ws.algebra(k).table[n * n + x] = (n - x) % n;
  }
  ws.algebra(k).table[n * n + n] = 0;
  for (const char* e : {"x(yz)=(xy)z", "x1=x", "1x=x", "x-x=1", "(-x)x=1"}) equation(ws, e);
  Workspace plain = ws;
  EXPECT_EQ(completeByEquations(ws, k), CompletionResult::kOk);
  EXPECT_EQ(oracle::completeByEquationsReference(plain, k), 1);
  EXPECT_EQ(ws.algebra(k).table, plain.algebra(k).table);
}

}  // namespace
}  // namespace kest
