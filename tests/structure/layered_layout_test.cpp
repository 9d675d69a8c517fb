// The layered drawing of Con and Sub lattices: no more crossings than a
// plain barycentre layering, rows that keep their order and spacing, and
// the page geometry (discs, labels, covers) sound.
#include "structure/layered_layout.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/algebra_store.h"
#include "structure/congruence_lattice.h"
#include "structure/diagram_geometry.h"
#include "structure/lattice_covers.h"
#include "tests/oracle/random_inputs.h"
#include "tests/oracle/reference_layering.h"
#include "tests/oracle/sample_algebras.h"

namespace kest {
namespace {

struct Case {
  const char* name;
  LatticeListing listing;
};

// Sub of the Boolean lattice 2^3 (74), Con of the semilattice 2^3 (61),
// Sub of Z_60 (13 with the empty set), Con of the lattice 4 x 5 x 6 (4096).
std::vector<Case> cases() {
  std::vector<Case> out;
  Workspace lattice = oracle::workspaceWithSignature("L");
  out.push_back(
      {"Sub(2^3 lattice)", subuniverseLattice(lattice.view(oracle::addBooleanLattice(lattice, 3)), 100000).listing});
  out.push_back({"Con(4x5x6)",
                 congruenceLattice(lattice.view(oracle::addChainProductLattice(lattice, {4, 5, 6})), 100000).listing});
  Workspace semi = oracle::workspaceWithSignature(".");
  out.push_back(
      {"Con(2^3 semilattice)", congruenceLattice(semi.view(oracle::addSemilatticePower(semi, 3)), 100000).listing});
  Workspace group = oracle::workspaceWithSignature("+");
  out.push_back({"Sub(Z_60)", subuniverseLattice(group.view(oracle::addCyclicSum(group, 60)), 100000).listing});
  return out;
}

std::vector<VertexExtent> extentsFor(size_t count) { return std::vector<VertexExtent>(count, {6, 30}); }

TEST(LayeredLayout, FewerCrossingsThanPlainBarycentreAndRowsInOrder) {
  const size_t sizes[] = {74, 4096, 61, 13};
  const std::vector<Case> all = cases();
  for (size_t c = 0; c < all.size(); ++c) {
    const LatticeListing& l = all[c].listing;
    ASSERT_EQ(l.size(), sizes[c]) << all[c].name;
    const CoverPairs covers = *latticeCovers(l, noProgress());
    const std::optional<LayeredLayout> layout =
        layeredLayout(static_cast<int32_t>(l.size()), covers, extentsFor(l.size()), {3, 3}, noProgress());
    ASSERT_TRUE(layout.has_value());
    const int64_t plain = oracle::plainBarycentreCrossings(static_cast<int32_t>(l.size()), covers);
    EXPECT_LE(layout->crossings, plain) << all[c].name;
    EXPECT_EQ(countCrossings(*layout), layout->crossings) << all[c].name;
    std::printf("%s: %zu elements, %zu covers, %lld crossings (plain barycentre %lld)\n", all[c].name, l.size(),
                covers.size(), static_cast<long long>(layout->crossings), static_cast<long long>(plain));
    // Every cover goes up, through one dummy per level passed.
    for (size_t i = 0; i < covers.size(); ++i) {
      const auto [a, b] = covers[i];
      EXPECT_EQ(layout->level[static_cast<size_t>(b)] - layout->level[static_cast<size_t>(a)] - 1,
                static_cast<int32_t>(layout->bends[i].size()));
    }
    // Rows keep their vertices apart by their extents.
    for (const std::vector<int32_t>& row : layout->rows) {
      for (size_t i = 1; i < row.size(); ++i) {
        const double left = layout->x[static_cast<size_t>(row[i - 1])];
        const double right = layout->x[static_cast<size_t>(row[i])];
        const double need = (row[i - 1] < layout->count ? 30 : 3) + (row[i] < layout->count ? 6 : 3);
        ASSERT_GE(right - left, need - 1e-6) << all[c].name;
      }
    }
  }
}

TEST(LayeredLayout, SmallAndDegenerateLattices) {
  for (int32_t n : {0, 1}) {
    Workspace ws = oracle::workspaceWithSignature(".");
    const int32_t k = createAlgebra(ws, n);
    const LatticeListing l = congruenceLattice(ws.view(k), 10).listing;
    ASSERT_EQ(l.size(), 1u);
    const CoverPairs covers = *latticeCovers(l, noProgress());
    EXPECT_TRUE(covers.empty());
    const std::optional<LayeredLayout> layout = layeredLayout(1, covers, extentsFor(1), {3, 3}, noProgress());
    ASSERT_TRUE(layout.has_value());
    EXPECT_EQ(layout->levels, 1);
    const DiagramGeometry g = diagramGeometry(*layout, {"C0"}, true, 1200, 800, 1.0);
    EXPECT_EQ(g.nodes.size(), 1u);
    EXPECT_TRUE(g.labelShown[0]);
  }
  // A chain of 200 (Con of a 201-element chain is 2^200, so take Sub of a
  // unary successor chain instead: its subuniverses are the up-sets).
  Workspace ws = oracle::workspaceWithSignature("-");
  const int32_t k = createAlgebra(ws, 200);
  for (int32_t x = 0; x < 200; ++x) ws.algebra(k).table[static_cast<size_t>(x)] = std::min(x + 1, 199);
  const LatticeListing chain = subuniverseLattice(ws.view(k), 1000).listing;
  ASSERT_EQ(chain.size(), 201u);
  const std::optional<LayeredLayout> layout =
      layeredLayout(201, *latticeCovers(chain, noProgress()), extentsFor(201), {3, 3}, noProgress());
  ASSERT_TRUE(layout.has_value());
  EXPECT_EQ(layout->levels, 201);
  EXPECT_EQ(layout->crossings, 0);
}

}  // namespace
}  // namespace kest
