// The reports of the keys s, u and r: the lines a user reads, on algebras
// whose answers are known.
#include "commands/formula_reports.h"

#include <gtest/gtest.h>

#include "core/algebra_store.h"
#include "tests/oracle/random_inputs.h"

namespace kest {
namespace {

using oracle::workspaceWithSignature;

void equation(Workspace& ws, const char* text) { ASSERT_TRUE(oracle::addEquationText(ws, text)) << text; }

TEST(SatisfactionReport, ConstantAlgebraReport) {
  Workspace ws = workspaceWithSignature(".");
  appendAlgebraWithTable(ws, 2, {0, 0, 0, 0});
  equation(ws, "xy=yx");
  equation(ws, "x=y");
  equation(ws, "x=x");
  satisfactionReport(ws, 0, noProgress());
  EXPECT_EQ(ws.messages.lines(),
            (std::vector<std::string>{"E0   satisfied", "E1   not satisfied: x=a y=b ", "E2   satisfied"}));
}

TEST(SatisfactionReport, PartialAlgebraIsRefused) {
  Workspace ws = workspaceWithSignature(".");
  createAlgebra(ws, 2);
  equation(ws, "x=x");
  satisfactionReport(ws, 0, noProgress());
  EXPECT_EQ(ws.messages.lines(), (std::vector<std::string>{"This works only for complete algebras"}));
}

TEST(SatisfactionReport, TwelveFormulasLineUp) {
  Workspace ws = workspaceWithSignature(".");
  appendAlgebraWithTable(ws, 1, {0});
  for (int i = 0; i < 12; ++i) equation(ws, "x=x");
  satisfactionReport(ws, 0, noProgress());
  ASSERT_EQ(ws.messages.count(), 12);
  EXPECT_EQ(ws.messages.lines()[10], "E10  satisfied");
  EXPECT_EQ(ws.messages.lines()[11], "E11  satisfied");
}

TEST(SatisfactionReport, NamesBeyondTheNamedElements) {
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

TEST(SatisfactionReport, InterruptedCheckReportsAndChangesNothing) {
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

TEST(ReconstructionReport, TheSemilatticeExamples) {
  Workspace ws = workspaceWithSignature(".");
  const int32_t k = createAlgebra(ws, 2);
  ws.algebra(k).table = {0, 0, 0, 1};
  equation(ws, "xy=yx");
  reconstructionReport(ws, k, noProgress());
  EXPECT_EQ(ws.messages.lines(), (std::vector<std::string>{"The following are the reconstructible places:", "ab ba "}));
  equation(ws, "xx=x");
  equation(ws, "(xy)z=x(yz)");
  reconstructionReport(ws, k, noProgress());
  EXPECT_EQ(ws.messages.lines(), std::vector<std::string>{"All places are reconstructible"});
  equation(ws, "x=y");  // fails: nothing is shown
  reconstructionReport(ws, k, noProgress());
  EXPECT_EQ(ws.messages.count(), 0);
}

TEST(ReconstructionReport, NoFormulasAndOneElement) {
  Workspace ws = workspaceWithSignature(".");
  const int32_t two = createAlgebra(ws, 2);
  ws.algebra(two).table = {0, 0, 0, 1};
  reconstructionReport(ws, two, noProgress());
  EXPECT_EQ(ws.messages.lines(), std::vector<std::string>{"There are no reconstructible places"});
  const int32_t one = createAlgebra(ws, 1);
  ws.algebra(one).table = {0};
  reconstructionReport(ws, one, noProgress());
  EXPECT_EQ(ws.messages.lines(), std::vector<std::string>{"All places are reconstructible"});
}

}  // namespace
}  // namespace kest
