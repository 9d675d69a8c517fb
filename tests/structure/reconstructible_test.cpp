#include "structure/reconstructible.h"

#include <gtest/gtest.h>

#include <random>

#include "core/algebra_store.h"
#include "terms/formulas.h"
#include "terms/term_parse.h"
#include "tests/oracle/random_inputs.h"
#include "tests/oracle/reference_satisfaction.h"

namespace kest {
namespace {

using oracle::workspaceWithSignature;

void equation(Workspace& ws, const char* text) { ASSERT_TRUE(oracle::addEquationText(ws, text)) << text; }

// The plain method: every formula checked afresh for every candidate.
std::vector<uint8_t> reference(Workspace& ws, int32_t k) {
  const int32_t n = ws.algebra(k).card;
  std::vector<uint8_t> marks(static_cast<size_t>(n) * n, 1);
  Assignment s;
  for (int32_t p = 0; p < n * n; ++p) {
    const int32_t v = ws.algebra(k).table[p];
    for (int32_t w = 0; w < n; ++w) {
      if (w == v) continue;
      ws.algebra(k).table[p] = w;
      bool all = true;
      for (int32_t f : ws.terms.formulaList) all = all && oracle::satisfiesReference(ws, k, f, s);
      if (all) marks[p] = 0;
    }
    ws.algebra(k).table[p] = v;
  }
  return marks;
}

// The commutative law forces the two places off the diagonal of the
// two-element semilattice; with idempotence and associativity all four.
TEST(Reconstructible, TheSemilatticeMarks) {
  Workspace ws = workspaceWithSignature(".");
  const int32_t k = createAlgebra(ws, 2);
  ws.algebra(k).table = {0, 0, 0, 1};
  equation(ws, "xy=yx");
  EXPECT_EQ(*reconstructiblePlaces(ws, k).marks, (std::vector<uint8_t>{0, 1, 1, 0}));
  equation(ws, "xx=x");
  equation(ws, "(xy)z=x(yz)");
  EXPECT_EQ(*reconstructiblePlaces(ws, k).marks, (std::vector<uint8_t>{1, 1, 1, 1}));
  equation(ws, "x=y");  // fails: no marks at all
  EXPECT_FALSE(reconstructiblePlaces(ws, k).marks.has_value());
}

TEST(Reconstructible, AgreesWithThePlainMethod) {
  std::mt19937 rng(91);
  for (int round = 0; round < 150; ++round) {
    Workspace ws = workspaceWithSignature(round % 2 ? ". -" : ". +");
    const int32_t k = oracle::addRandomAlgebra(ws, 2 + static_cast<int32_t>(rng() % 3), 0.0, rng);
    // Formulas the algebra satisfies: build random ones and keep the true ones.
    for (int f = 0; f < 4; ++f) oracle::randomFormula(ws, 2, static_cast<int32_t>(rng() % 2), rng);
    std::erase_if(ws.terms.formulaList, [&](int32_t f) {
      Assignment s;
      return !oracle::satisfiesReference(ws, k, f, s);
    });
    const Reconstruction r = reconstructiblePlaces(ws, k);
    ASSERT_TRUE(r.marks.has_value());
    ASSERT_EQ(*r.marks, reference(ws, k)) << round;
  }
}

// Group laws over the cyclic groups, with three variables: the laws most
// places are forced by, where the quick look near the changed place finds
// the failures, and the full check the rest.
TEST(Reconstructible, GroupLawsAgreeWithThePlainMethod) {
  for (int32_t n = 1; n <= 7; ++n) {
    Workspace ws = workspaceWithSignature("+ - $");
    const int32_t k = oracle::addCyclicGroupWithLaws(ws, n);
    ASSERT_EQ(ws.terms.formulaListCount(), 3);
    const Reconstruction r = reconstructiblePlaces(ws, k);
    ASSERT_TRUE(r.marks.has_value());
    ASSERT_EQ(*r.marks, reference(ws, k)) << "Z_" << n;
  }
}

}  // namespace
}  // namespace kest
