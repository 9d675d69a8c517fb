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

int32_t algebraWithTable(Workspace& ws, int32_t n, std::vector<int32_t> table) {
  const int32_t k = createAlgebra(ws, n);
  ws.algebra(k).table = std::move(table);
  return k;
}

TEST(Satisfaction, ConstantAlgebraReport) {
  Workspace ws = workspaceWithSignature(".");
  algebraWithTable(ws, 2, {0, 0, 0, 0});
  equation(ws, "xy=yx");
  equation(ws, "x=y");
  equation(ws, "x=x");
  satisfactionReport(ws, 0, noProgress());
  EXPECT_EQ(ws.messages.lines(),
            (std::vector<std::string>{"E0   satisfied", "E1   not satisfied: x=a y=b ", "E2   satisfied"}));
}

TEST(Satisfaction, PartialAlgebraIsRefused) {
  Workspace ws = workspaceWithSignature(".");
  createAlgebra(ws, 2);
  equation(ws, "x=x");
  satisfactionReport(ws, 0, noProgress());
  EXPECT_EQ(ws.messages.lines(), (std::vector<std::string>{"This works only for complete algebras"}));
}

TEST(Satisfaction, FirstCounterexampleInOdometerOrder) {
  Workspace ws = workspaceWithSignature(".");
  // x.y = x except b.c = a: xy=yx first fails at x=a, y=b.
  algebraWithTable(ws, 3, {0, 0, 0, 1, 1, 0, 2, 2, 2});
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
  algebraWithTable(ws, 2, {0, 0, 0, 0, 1, 1});
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
  algebraWithTable(ws, 1, {-1});
  equation(ws, "xx=xx");
  addConjunction(ws, {0, 0});
  Assignment s;
  EXPECT_EQ(satisfies(ws, 0, ws.terms.formulaList[0], s, noProgress()), Verdict::kNotSatisfied);
  EXPECT_EQ(satisfies(ws, 0, ws.terms.formulaList[1], s, noProgress()), Verdict::kSatisfied);
}

TEST(Satisfaction, TwelveFormulasLineUp) {
  Workspace ws = workspaceWithSignature(".");
  algebraWithTable(ws, 1, {0});
  for (int i = 0; i < 12; ++i) equation(ws, "x=x");
  satisfactionReport(ws, 0, noProgress());
  ASSERT_EQ(ws.messages.count(), 12);
  EXPECT_EQ(ws.messages.lines()[10], "E10  satisfied");
  EXPECT_EQ(ws.messages.lines()[11], "E11  satisfied");
}

TEST(Satisfaction, NamesBeyondTheNamedElements) {
  Workspace ws = workspaceWithSignature(".");
  const int32_t k = createAlgebra(ws, 70);
  std::fill(ws.algebra(k).table.begin(), ws.algebra(k).table.end(), 69);
  equation(ws, "xy=x");
  satisfactionReport(ws, k, noProgress());
  EXPECT_EQ(ws.messages.lines()[0], "E0   not satisfied: x=a y=a ");
  equation(ws, "xy=y");
  for (int32_t x = 0; x < 70; ++x) {
    for (int32_t y = 0; y < 70; ++y) ws.algebra(k).table[x * 70 + y] = x;
  }
  ws.algebra(k).table[69 * 70 + 69] = 68;
  satisfactionReport(ws, k, noProgress());
  EXPECT_EQ(ws.messages.lines()[1], "E1   not satisfied: x=a y=b ");
  EXPECT_EQ(ws.messages.lines()[0], "E0   not satisfied: x=[69] y=[69] ");
}

class StopAtOnce final : public Progress {
 public:
 protected:
  bool pollStop() override { return true; }
};

TEST(Satisfaction, InterruptedCheckReportsAndChangesNothing) {
  Workspace ws = workspaceWithSignature(".");
  const int32_t k = createAlgebra(ws, 300);
  std::fill(ws.algebra(k).table.begin(), ws.algebra(k).table.end(), 0);
  equation(ws, "(xy)z=x(yz)");
  const std::vector<int32_t> before = ws.algebra(k).table;
  StopAtOnce stop;
  satisfactionReport(ws, k, stop);
  EXPECT_EQ(ws.messages.lines(), (std::vector<std::string>{"Interrupted"}));
  EXPECT_EQ(ws.algebra(k).table, before);
  EXPECT_EQ(ws.terms.formulaListCount(), 1);
}

}  // namespace
}  // namespace kest
