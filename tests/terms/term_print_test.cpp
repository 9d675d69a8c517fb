#include "terms/term_print.h"

#include <gtest/gtest.h>

#include "terms/formulas.h"
#include "terms/term_parse.h"
#include "tests/oracle/random_inputs.h"

namespace kest {
namespace {

using oracle::workspaceWithSignature;

TEST(TermPrint, InfixParenthesesAndStripping) {
  Workspace ws = workspaceWithSignature(". + -");
  const int32_t t = parseTermInfix(ws, "x(y+z)");
  EXPECT_EQ(printTermInfix(ws, t), "(x(y+z))");
  EXPECT_EQ(printWholeTerm(ws, t, false), "x(y+z)");
  EXPECT_EQ(printTermInfix(ws, parseTermInfix(ws, "-x")), "(-x)");
  EXPECT_EQ(stripOuterParentheses("(x)+(y)"), "(x)+(y)");
  EXPECT_EQ(stripOuterParentheses("((x)+(y))"), "(x)+(y)");
  EXPECT_EQ(stripOuterParentheses("x"), "x");
}

TEST(FormulaPrint, ConnectivesAndTheirParentheses) {
  Workspace ws = workspaceWithSignature(".");
  for (const char* e : {"xy=xz", "y=z", "x=y"}) {
    const EquationSides s = parseEquation(ws, e);
    addEquation(ws, s.left, s.right);
  }
  addImplication(ws, 0, 1);
  EXPECT_EQ(printFormula(ws, ws.terms.formulaList[3], false), "xy=xz -> y=z");
  addDisjunction(ws, {1, 2});
  addNegation(ws, 4);
  EXPECT_EQ(printFormula(ws, ws.terms.formulaList[5], false), "!(y=z V x=y)");
  addConjunction(ws, {0, 1, 2});
  EXPECT_EQ(printFormula(ws, ws.terms.formulaList[6], false), "xy=xz & y=z & x=y");
  EXPECT_EQ(ws.terms.formulaPoolCount(), 8);  // (0 & 1) is in the pool but not listed
  addEquivalence(ws, 6, 3);
  EXPECT_EQ(printFormula(ws, ws.terms.formulaList[7], false), "(xy=xz & y=z & x=y) <-> (xy=xz -> y=z)");
  addConjunction(ws, {4, 6});
  EXPECT_EQ(printFormula(ws, ws.terms.formulaList[8], false), "(y=z V x=y) & xy=xz & y=z & x=y");
  addNegation(ws, 1);
  EXPECT_EQ(printFormula(ws, ws.terms.formulaList[9], false), "!y=z");
  EXPECT_EQ(printFormula(ws, ws.terms.formulaList[0], true), ".xy=.xz");
}

TEST(Listing, LinesInTheCurrentNotation) {
  Workspace ws = workspaceWithSignature(". +");
  addNamedTerm(ws, parseTermInfix(ws, "x+yz"));
  const EquationSides s = parseEquation(ws, "xy=yx");
  addEquation(ws, s.left, s.right);
  EXPECT_EQ(listingLines(ws), (std::vector<std::string>{"A   x+(yz)", "E0  xy=yx"}));
  ws.polishNotation = 1;
  EXPECT_EQ(listingLines(ws), (std::vector<std::string>{"A   +x.yz", "E0  .xy=.yx"}));
}

}  // namespace
}  // namespace kest
