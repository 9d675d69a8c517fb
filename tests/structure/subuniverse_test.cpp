#include "structure/subuniverse.h"

#include <gtest/gtest.h>

#include <random>

#include "core/algebra_store.h"
#include "structure/congruence_closure.h"
#include "structure/factor_algebra.h"
#include "terms/formulas.h"
#include "terms/satisfaction.h"
#include "terms/term_parse.h"
#include "tests/oracle/random_inputs.h"
#include "tests/oracle/reference_structure.h"

namespace kest {
namespace {

using oracle::workspaceWithSignature;

TEST(Subuniverse, AgreesWithThePlainClosure) {
  std::mt19937 rng(31);
  for (int round = 0; round < 500; ++round) {
    Workspace ws = workspaceWithSignature(round % 2 ? ". - 0" : "+ *");
    const int32_t n = 1 + static_cast<int32_t>(rng() % 9);
    const int32_t k = oracle::addRandomAlgebra(ws, n, round % 3 ? 0.2 : 0.0, rng);
    std::vector<uint8_t> fast(static_cast<size_t>(n), 0);
    for (int32_t e = 0; e < n; ++e) fast[e] = rng() % 4 == 0;
    std::vector<uint8_t> plain = fast;
    closeSubuniverse(ws.view(k), fast);
    oracle::closeSubuniverseReference(ws, k, plain);
    ASSERT_EQ(fast, plain) << round;
  }
}

// The bounded closure of one element: the plain closure's members when
// there are at most most of them, nothing otherwise, and the scratch flags
// back at zero either way (the next call reads them).
TEST(Subuniverse, SmallOneGeneratedIsThePlainClosureOrNothing) {
  std::mt19937 rng(33);
  for (int round = 0; round < 300; ++round) {
    Workspace ws = workspaceWithSignature(round % 2 ? ". - 0" : "+ *");
    const int32_t n = 1 + static_cast<int32_t>(rng() % 12);
    const int32_t k = oracle::addRandomAlgebra(ws, n, round % 3 ? 0.3 : 0.0, rng);
    const size_t most = rng() % static_cast<size_t>(n + 1);
    std::vector<uint8_t> flags(static_cast<size_t>(n), 0);
    WorkPoll poll(noProgress());
    for (int32_t e = 0; e < n; ++e) {
      std::vector<uint8_t> plain(static_cast<size_t>(n), 0);
      plain[static_cast<size_t>(e)] = 1;
      oracle::closeSubuniverseReference(ws, k, plain);
      const std::vector<int32_t> members = memberList(plain);
      const std::optional<std::vector<int32_t>> small = smallOneGenerated(ws.view(k), e, most, flags, poll);
      if (members.size() <= most) {
        ASSERT_TRUE(small.has_value()) << round << " e=" << e;
        EXPECT_EQ(*small, members) << round << " e=" << e;
      } else {
        EXPECT_FALSE(small.has_value()) << round << " e=" << e;
      }
      ASSERT_EQ(flags, std::vector<uint8_t>(static_cast<size_t>(n), 0)) << round;
    }
  }
}

TEST(Subuniverse, AllElementsGiveTheAlgebraItself) {
  std::mt19937 rng(32);
  Workspace ws = workspaceWithSignature(". - 0");
  const int32_t k = oracle::addRandomAlgebra(ws, 6, 0.1, rng);
  std::vector<uint8_t> all(6, 1);
  closeSubuniverse(ws.view(k), all);
  const int32_t s = appendSubalgebra(ws, k, memberList(all));
  EXPECT_EQ(ws.algebra(s).table, ws.algebra(k).table);
}

TEST(Products, PairEncodingAndComponentwiseOperations) {
  Workspace ws = workspaceWithSignature(". -");
  std::mt19937 rng(33);
  const int32_t a = oracle::addRandomAlgebra(ws, 2, 0.0, rng);
  const int32_t b = oracle::addRandomAlgebra(ws, 3, 0.2, rng);
  std::vector<int64_t> all(6);
  for (int64_t p = 0; p < 6; ++p) all[p] = p;
  const int32_t p = appendSubproduct(ws, a, b, all);
  ASSERT_EQ(ws.algebra(p).card, 6);
  const TableLayout lp = ws.layout(p);
  for (int32_t i = 0; i < 6; ++i) {
    for (int32_t j = 0; j < 6; ++j) {
      const int32_t x = ws.algebra(a).table[(i / 3) * 2 + j / 3];
      const int32_t y = ws.algebra(b).table[(i % 3) * 3 + j % 3];
      EXPECT_EQ(ws.algebra(p).table[lp.binary(0, i, j)], y < 0 ? -1 : x * 3 + y);
    }
  }
}

TEST(Products, FastTablesEqualThePlainOnesOnRandomPartialAlgebras) {
  std::mt19937 rng(61);
  const char* signatures[] = {". -", "+c - 0", ". + * 1", "-"};
  for (int round = 0; round < 300; ++round) {
    Workspace ws = oracle::workspaceWithSignature(signatures[round % 4]);
    const int32_t a = oracle::addRandomAlgebra(ws, 1 + static_cast<int32_t>(rng() % 6), 0.2, rng);
    const int32_t b = oracle::addRandomAlgebra(ws, 1 + static_cast<int32_t>(rng() % 6), 0.2, rng);
    const int64_t all = static_cast<int64_t>(ws.algebra(a).card) * ws.algebra(b).card;
    std::vector<int64_t> pairs;
    for (int64_t p = 0; p < all; ++p) {
      if (round % 3 == 0 || rng() % 2) pairs.push_back(p);  // the whole product, or a part of it
    }
    if (pairs.empty()) continue;
    const std::vector<int32_t> expected = oracle::subproductTableReference(ws, a, b, pairs);
    const int32_t s = appendSubproduct(ws, a, b, pairs);
    ASSERT_EQ(ws.algebra(s).table, expected) << "round " << round;
  }
}

TEST(Products, TheDiagonalOfASquareIsACopy) {
  Workspace ws = workspaceWithSignature(". - 0");
  std::mt19937 rng(34);
  const int32_t k = oracle::addRandomAlgebra(ws, 4, 0.0, rng);
  const std::optional<std::vector<int64_t>> pairs = closePairs(ws.view(k), ws.view(k), {0, 5, 10, 15}, noProgress());
  ASSERT_EQ(*pairs, (std::vector<int64_t>{0, 5, 10, 15}));
  const int32_t s = appendSubproduct(ws, k, k, *pairs);
  EXPECT_EQ(ws.algebra(s).table, ws.algebra(k).table);
}

TEST(Factors, AFactorSatisfiesTheEquationsOfTheAlgebra) {
  // Z_12 satisfies commutativity and associativity; so does every factor.
  Workspace ws = workspaceWithSignature(".");
  const int32_t k = createAlgebra(ws, 12);
  for (int32_t x = 0; x < 12; ++x) {
    for (int32_t y = 0; y < 12; ++y) ws.algebra(k).table[x * 12 + y] = (x * y + x + y) % 12;
  }
  for (const char* e : {"xy=yx", "(xy)z=x(yz)"}) {
    const EquationSides sides = parseEquation(ws, e);
    addEquation(ws, sides.left, sides.right);
  }
  for (int32_t b = 1; b < 12; ++b) {
    const int32_t f = appendFactor(ws, k, principalCongruence(ws.view(k), 0, b));
    ASSERT_GE(f, 0);
    const SatisfactionResult r = checkListedFormulas(ws, f, noProgress());
    ASSERT_FALSE(r.incomplete);
    for (const FormulaCheck& c : r.checks) EXPECT_TRUE(c.satisfied) << b;
  }
}

}  // namespace
}  // namespace kest
