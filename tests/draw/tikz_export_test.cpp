#include "draw/tikz_export.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "commands/computed_lattice_page.h"
#include "commands/con_sub_commands.h"
#include "commands/executor.h"
#include "commands/panel_commands.h"
#include "commands/toolbar_commands.h"
#include "core/algebra_store.h"
#include "tests/oracle/random_inputs.h"

namespace kest {
namespace {

// The pentagon typed as its order: a < b < e and a < c < d < e.
Workspace pentagon() {
  Workspace ws = oracle::workspaceWithSignature("L");
  createAlgebra(ws, 5);
  ws.redMarked = 0;
  openPanel(ws, findToolbarButton(kCommandLattice)->panel);
  setFieldText(ws.panel, 0, "abe acde");
  submitPanel(ws, noProgress());
  return ws;
}

size_t count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(TikzExport, TheLatticePageListsTheCoversOfTheOrder) {
  Workspace ws = pentagon();
  EXPECT_FALSE(pageTikz(ws).has_value());  // the normal page has no diagram
  ws.latticeShown = 1;
  const std::optional<std::string> tikz = pageTikz(ws);
  ASSERT_TRUE(tikz.has_value());
  EXPECT_EQ(tikz->substr(0, tikz->find('\n')), "% covers: 0<1 0<2 1<4 2<3 3<4");
  EXPECT_EQ(count(*tikz, "\\node["), 5u);
  EXPECT_EQ(count(*tikz, "\\draw ("), 5u);
  // y upwards: the bottom a at 0, the top e highest.
  EXPECT_NE(tikz->find("label=right:{a}] (n0) at (5.00,0.00)"), std::string::npos) << *tikz;
  EXPECT_NE(tikz->find("label=right:{e}] (n4) at (5.00,10.00)"), std::string::npos) << *tikz;
  EXPECT_NE(tikz->find("\\begin{tikzpicture}"), std::string::npos);
  EXPECT_NE(tikz->find("\\end{tikzpicture}"), std::string::npos);
}

TEST(TikzExport, TheConPageFillsTheJoinIrreducibles) {
  Workspace ws = oracle::workspaceWithSignature("L");
  const int32_t k = createAlgebra(ws, 3);
  for (int32_t x = 0; x < 3; ++x) {
    for (int32_t y = 0; y < 3; ++y) {
      ws.algebra(k).table[static_cast<size_t>(x * 3 + y)] = std::max(x, y);
      ws.algebra(k).table[static_cast<size_t>(9 + x * 3 + y)] = std::min(x, y);
    }
  }
  congruenceLatticeReport(ws, k, 100, noProgress());
  showComputedLatticePage(ws, noProgress());
  const std::optional<std::string> tikz = pageTikz(ws);
  ASSERT_TRUE(tikz.has_value());
  // Con of the 3-chain is the square: C0 below C1 and C2, both below C3.
  EXPECT_EQ(tikz->substr(0, tikz->find('\n')), "% covers: 0<1 0<2 1<3 2<3");
  EXPECT_EQ(count(*tikz, ",fill,"), 2u);
  EXPECT_NE(tikz->find("label=right:{C3}"), std::string::npos);
}

}  // namespace
}  // namespace kest
