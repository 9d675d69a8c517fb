// The page of Con(A): the covers from the join irreducibles, and the
// layered layout, on lattices of about 2000 to 4096 elements (the page
// draws up to 4096); beside them the plain barycentre layering.
#include <benchmark/benchmark.h>

#include "structure/congruence_lattice.h"
#include "structure/diagram_geometry.h"
#include "structure/lattice_covers.h"
#include "structure/layered_layout.h"
#include "tests/oracle/random_inputs.h"
#include "tests/oracle/reference_layering.h"
#include "tests/oracle/sample_algebras.h"

namespace kest {
namespace {

// range(0): 0 Con(3x5x6), 2048 elements; 1 Con of the semilattice 2^4,
// 2480; 2 Con(4x5x6), 4096. Renumbered lattices.
LatticeListing listing(int64_t which) {
  if (which == 1) {
    Workspace ws = oracle::workspaceWithSignature(".");
    return congruenceLattice(ws.view(oracle::addSemilatticePower(ws, 4)), 100000).listing;
  }
  Workspace ws = oracle::workspaceWithSignature("L");
  const std::vector<int32_t> lengths = which == 0 ? std::vector<int32_t>{3, 5, 6} : std::vector<int32_t>{4, 5, 6};
  return congruenceLattice(ws.view(oracle::addChainProductLattice(ws, lengths, 9)), 100000).listing;
}

void BM_DiagramLayout(benchmark::State& state) {
  const LatticeListing l = listing(state.range(0));
  const std::vector<VertexExtent> extents(l.size(), {6, 6});
  for (auto _ : state) {
    const CoverPairs covers = *latticeCovers(l, noProgress());
    const std::optional<LayeredLayout> layout =
        layeredLayout(static_cast<int32_t>(l.size()), covers, extents, {3, 3}, noProgress());
    const std::vector<std::string> labels(l.size(), "C0000");
    const DiagramGeometry g = diagramGeometry(*layout, labels, true, 1600, 1000, 1.0);
    state.counters["elements"] = static_cast<double>(l.size());
    state.counters["crossings"] = static_cast<double>(layout->crossings);
    benchmark::DoNotOptimize(g);
  }
}
BENCHMARK(BM_DiagramLayout)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_DiagramLayoutPlainBarycentre(benchmark::State& state) {
  const LatticeListing l = listing(state.range(0));
  const CoverPairs covers = *latticeCovers(l, noProgress());
  for (auto _ : state) {
    state.counters["crossings"] =
        static_cast<double>(oracle::plainBarycentreCrossings(static_cast<int32_t>(l.size()), covers));
  }
}
BENCHMARK(BM_DiagramLayoutPlainBarycentre)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kest
