#include "free/boolean_completeness.h"

#include <gtest/gtest.h>

#include <random>

#include "core/algebra_store.h"
#include "free/free_in_hsp.h"
#include "tests/oracle/random_inputs.h"
#include "tests/oracle/reference_free.h"

namespace kest {
namespace {

using oracle::workspaceWithSignature;

// A two-element algebra from its table entries in table order.
bool complete(const char* signature, std::vector<int32_t> table) {
  Workspace ws = workspaceWithSignature(signature);
  const int32_t k = createAlgebra(ws, 2);
  ws.algebra(k).table = std::move(table);
  return isFunctionallyComplete(ws.view(k));
}

TEST(BooleanCompleteness, ClassicalBases) {
  EXPECT_TRUE(complete(". -", {0, 0, 0, 1, 1, 0}));                   // and, not
  EXPECT_TRUE(complete(".", {1, 1, 1, 0}));                           // nand
  EXPECT_TRUE(complete(".", {1, 0, 0, 0}));                           // nor
  EXPECT_TRUE(complete(". 0", {1, 1, 0, 1, 0}));                      // implication and false
  EXPECT_FALSE(complete(".", {1, 1, 0, 1}));                          // implication alone keeps 1
  EXPECT_FALSE(complete("+ . 0 1", {0, 1, 1, 1, 0, 0, 0, 1, 0, 1}));  // monotone
  EXPECT_FALSE(complete(". 1", {0, 1, 1, 0, 1}));                     // xor and true: affine
  EXPECT_FALSE(complete("-", {1, 0}));                                // not alone: self-dual
  EXPECT_FALSE(complete(". -", {0, 0, 0, 1, 0, 1}));                  // and alone keeps 0 (identity unary)
  Workspace three = workspaceWithSignature(".");
  EXPECT_FALSE(isFunctionallyComplete(three.view(createAlgebra(three, 3))));
}

// Complete exactly when the free algebra is the whole power, which the
// plain search counts.
TEST(BooleanCompleteness, AgreesWithCountingTermOperations) {
  std::mt19937 rng(7);
  const char* signatures[] = {".", ". -", ". 0", "- 1", ". - 0 1"};
  for (int round = 0; round < 200; ++round) {
    Workspace ws = workspaceWithSignature(signatures[round % 5]);
    const int32_t k = oracle::addRandomAlgebra(ws, 2, 0.0, rng);
    const int32_t n = 2 + round % 2;
    const int32_t whole = 1 << (1 << n);
    const bool expected = oracle::freeInHspSizeReference(ws, n, k, 300) == whole;
    ASSERT_EQ(isFunctionallyComplete(ws.view(k)), expected) << round;
    // The shortcut gives what the closure gives, with or without tables.
    ASSERT_EQ(buildFreeInHSP(ws, n, k, 300, 0).size, oracle::freeInHspSizeReference(ws, n, k, 300)) << round;
    if (expected) {
      EXPECT_EQ(buildFreeInHSP(ws, n, k, whole - 1, 0).status, FreeInHspResult::Status::kTooMany);
      const int32_t before = ws.algebraCount();
      EXPECT_EQ(buildFreeInHSP(ws, n, k, 300, 300).size, whole);
      EXPECT_EQ(ws.algebraCount(), before + 1);
    }
  }
}

}  // namespace
}  // namespace kest
