#include "terms/satisfaction.h"

#include <gtest/gtest.h>

#include "core/algebra_store.h"
#include "terms/formulas.h"
#include "terms/term_parse.h"
#include "tests/oracle/random_inputs.h"

namespace kest {
namespace {

using oracle::workspaceWithSignature;

void equation(Workspace& ws, const char* text) { ASSERT_TRUE(oracle::addEquationText(ws, text)) << text; }

TEST(Satisfaction, FirstCounterexampleInOdometerOrder) {
  Workspace ws = workspaceWithSignature(".");
  // x.y = x except b.c = a: xy=yx first fails at x=a, y=b.
  appendAlgebraWithTable(ws, 3, {0, 0, 0, 1, 1, 0, 2, 2, 2});
  equation(ws, "xy=yx");
  equation(ws, "xz=x");  // only x and z vary; y stays unassigned
  Assignment s;
  EXPECT_EQ(satisfies(ws, 0, ws.terms.formulaList[0], s, noProgress()), Verdict::kNotSatisfied);
  EXPECT_EQ(s[23], 0);
  EXPECT_EQ(s[24], 1);
  EXPECT_EQ(satisfies(ws, 0, ws.terms.formulaList[1], s, noProgress()), Verdict::kNotSatisfied);
  EXPECT_EQ(s[23], 1);
  EXPECT_EQ(s[24], -1);
  EXPECT_EQ(s[25], 2);
}

TEST(Satisfaction, GroundEquationsCompareTheConstants) {
  Workspace ws = workspaceWithSignature(". 0 1");
  appendAlgebraWithTable(ws, 2, {0, 0, 0, 0, 1, 1});
  equation(ws, "0=1");
  Assignment s;
  EXPECT_EQ(satisfies(ws, 0, ws.terms.formulaList[0], s, noProgress()), Verdict::kSatisfied);
  ws.algebra(0).table[5] = 0;
  EXPECT_EQ(satisfies(ws, 0, ws.terms.formulaList[0], s, noProgress()), Verdict::kNotSatisfied);
  // Undefined on both sides is no proof of a ground equation.
  ws.algebra(0).table[4] = ws.algebra(0).table[5] = -1;
  EXPECT_EQ(satisfies(ws, 0, ws.terms.formulaList[0], s, noProgress()), Verdict::kNotSatisfied);
}

TEST(Satisfaction, EmptyAlgebraSatisfiesFormulasWithVariables) {
  Workspace ws = workspaceWithSignature(".");
  createAlgebra(ws, 0);
  equation(ws, "x=y");
  Assignment s;
  EXPECT_EQ(satisfies(ws, 0, ws.terms.formulaList[0], s, noProgress()), Verdict::kSatisfied);
}

TEST(Satisfaction, UndefinedLeftSideFailsATopEquationButNotAnInnerOne) {
  Workspace ws = workspaceWithSignature(".");
  appendAlgebraWithTable(ws, 1, {-1});
  equation(ws, "xx=xx");
  addConjunction(ws, {0, 0});
  Assignment s;
  EXPECT_EQ(satisfies(ws, 0, ws.terms.formulaList[0], s, noProgress()), Verdict::kNotSatisfied);
  EXPECT_EQ(satisfies(ws, 0, ws.terms.formulaList[1], s, noProgress()), Verdict::kSatisfied);
}

}  // namespace
}  // namespace kest
