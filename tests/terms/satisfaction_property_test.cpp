// The fast satisfaction check against the plain one on random algebras,
// complete and partial, and random formulas.
#include <gtest/gtest.h>

#include <random>

#include "terms/satisfaction.h"
#include "terms/term_print.h"
#include "tests/oracle/random_inputs.h"
#include "tests/oracle/reference_satisfaction.h"

namespace kest {
namespace {

void compareOnRandomInputs(const std::string& signature, uint32_t seed, int rounds) {
  std::mt19937 rng(seed);
  for (int round = 0; round < rounds; ++round) {
    Workspace ws = oracle::workspaceWithSignature(signature);
    const int32_t n = static_cast<int32_t>(rng() % 5);
    const double undefinedShare = round % 3 == 0 ? 0.0 : 0.15;
    const int32_t k = oracle::addRandomAlgebra(ws, n, undefinedShare, rng);
    const int32_t variables = 1 + static_cast<int32_t>(rng() % 4);
    const int32_t f = oracle::randomFormula(ws, variables, static_cast<int32_t>(rng() % 3), rng);
    Assignment fast;
    Assignment plain;
    const Verdict v = satisfies(ws, k, f, fast, noProgress());
    const int32_t expected = oracle::satisfiesReference(ws, k, f, plain);
    ASSERT_EQ(v == Verdict::kSatisfied, expected == 1)
        << "seed " << seed << " round " << round << " n " << n << " formula " << printFormula(ws, f, false);
    if (!expected) {
      ASSERT_EQ(fast, plain) << "seed " << seed << " round " << round << " formula " << printFormula(ws, f, false);
    }
  }
}

TEST(SatisfactionProperty, AgreesWithThePlainCheckOnGroupoids) { compareOnRandomInputs(".", 1, 2000); }

TEST(SatisfactionProperty, AgreesWithThePlainCheckWithUnaryAndConstants) {
  compareOnRandomInputs(". + - 0 1", 2, 2000);
}

TEST(SatisfactionProperty, AgreesWithThePlainCheckWithFlags) { compareOnRandomInputs("+ci .c * $", 3, 2000); }

TEST(SatisfactionProperty, GapsInTheVariablesAreSkipped) {
  // Equations over a, c and e only: b and d are not enumerated.
  std::mt19937 rng(9);
  for (int round = 0; round < 500; ++round) {
    Workspace ws = oracle::workspaceWithSignature(". -");
    const int32_t k = oracle::addRandomAlgebra(ws, 3, round % 2 ? 0.1 : 0.0, rng);
    const int32_t l = oracle::randomTerm(ws, 3, 3, rng, 2);
    const int32_t r = oracle::randomTerm(ws, 3, 2, rng, 2);
    ws.terms.formulaKind.push_back(kEquation);
    ws.terms.formulaA.push_back(l);
    ws.terms.formulaB.push_back(r);
    const int32_t f = ws.terms.formulaPoolCount() - 1;
    Assignment fast;
    Assignment plain;
    const Verdict v = satisfies(ws, k, f, fast, noProgress());
    const int32_t expected = oracle::satisfiesReference(ws, k, f, plain);
    ASSERT_EQ(v == Verdict::kSatisfied, expected == 1);
    if (!expected) {
      ASSERT_EQ(fast, plain);
    }
  }
}

}  // namespace
}  // namespace kest
