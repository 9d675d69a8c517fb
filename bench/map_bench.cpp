// Embeddings, completion and reconstructible places, each fast version
// beside the plain one where that one finishes.
#include <benchmark/benchmark.h>

#include <random>

#include "core/algebra_store.h"
#include "structure/embedding.h"
#include "structure/reconstructible.h"
#include "terms/completion.h"
#include "terms/formulas.h"
#include "terms/term_parse.h"
#include "tests/oracle/random_inputs.h"
#include "tests/oracle/reference_completion.h"
#include "tests/oracle/reference_embedding.h"
#include "tests/oracle/reference_satisfaction.h"

namespace kest {
namespace {

// The lattice of the subsets of bits of the given masks' union, closed.
int32_t latticeOn(Workspace& ws, const std::vector<uint32_t>& masks) {
  const int32_t n = static_cast<int32_t>(masks.size());
  const int32_t k = createAlgebra(ws, n);
  auto index = [&](uint32_t m) {
    for (int32_t i = 0; i < n; ++i) {
      if (masks[static_cast<size_t>(i)] == m) return i;
    }
    return -1;
  };
  for (int32_t x = 0; x < n; ++x) {
    for (int32_t y = 0; y < n; ++y) {
      ws.algebra(k).table[x * n + y] = index(masks[x] | masks[y]);
      ws.algebra(k).table[n * n + x * n + y] = index(masks[x] & masks[y]);
    }
  }
  return k;
}

std::vector<uint32_t> chainProduct(int a, int b) {  // the chains 0..a and 0..b, as bit masks
  std::vector<uint32_t> masks;
  for (int i = 0; i <= a; ++i) {
    for (int j = 0; j <= b; ++j) masks.push_back(((1u << i) - 1) | (((1u << j) - 1) << 16));
  }
  return masks;
}

// A 20-element lattice (the chains 5 x 4) into the 60-element 5 x 12, where
// it embeds, and into the 62-element 2 x 31, where it does not.
void BM_EmbedLatticeInto62(benchmark::State& state) {
  Workspace ws = oracle::workspaceWithSignature("L");
  const int32_t a = latticeOn(ws, chainProduct(3, 4));
  const int32_t b = latticeOn(ws, state.range(0) ? chainProduct(1, 30) : chainProduct(4, 11));
  for (auto _ : state) benchmark::DoNotOptimize(findEmbedding(ws.view(a), ws.view(b)));
  state.SetLabel(findEmbedding(ws.view(a), ws.view(b)).embedding ? "embeds" : "does not embed");
}
BENCHMARK(BM_EmbedLatticeInto62)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_TwoGeneratedSizes500(benchmark::State& state) {
  Workspace ws = oracle::workspaceWithSignature(". -");
  std::mt19937 rng(5);
  const int32_t k = createAlgebra(ws, 500);
  // x.y = min(x, y) and -x = x/2: small subuniverses, many pairs to close.
  for (int32_t x = 0; x < 500; ++x) {
    for (int32_t y = 0; y < 500; ++y) ws.algebra(k).table[x * 500 + y] = std::min(x, y);
    ws.algebra(k).table[250000 + x] = x / 2;
  }
  for (auto _ : state) benchmark::DoNotOptimize(oracle::referenceGeneratedSizes(ws, k));
}
BENCHMARK(BM_TwoGeneratedSizes500)->Unit(benchmark::kMillisecond);

// Z_n under + (linear + 1 1 0).
int32_t cyclicGroup(Workspace& ws, int32_t n) {
  const int32_t k = createAlgebra(ws, n);
  for (int32_t x = 0; x < n; ++x) {
    for (int32_t y = 0; y < n; ++y) ws.algebra(k).table[static_cast<size_t>(x) * n + y] = (x + y) % n;
  }
  return k;
}

// Key e on Z_m into Z_n: range(0) m, range(1) n, range(2) 1 for the plain
// search (all sizes first).
void BM_EmbedCyclic(benchmark::State& state) {
  Workspace ws = oracle::workspaceWithSignature("+");
  const int32_t a = cyclicGroup(ws, static_cast<int32_t>(state.range(0)));
  const int32_t b = cyclicGroup(ws, static_cast<int32_t>(state.range(1)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(state.range(2) ? oracle::referenceFindEmbedding(ws, a, b)
                                            : findEmbedding(ws.view(a), ws.view(b)));
  }
}
BENCHMARK(BM_EmbedCyclic)
    ->Args({10, 1000, 0})
    ->Args({10, 200, 1})
    ->Args({3000, 3000, 0})
    ->Args({300, 300, 1})
    ->Unit(benchmark::kMillisecond);

// A 20-element chain lattice into another: range(0) 1 for the plain search.
void BM_EmbedChain20(benchmark::State& state) {
  Workspace ws = oracle::workspaceWithSignature("L");
  std::vector<uint32_t> chain;
  for (int i = 0; i < 20; ++i) chain.push_back((1u << i) - 1);
  const int32_t a = latticeOn(ws, chain);
  const int32_t b = latticeOn(ws, chain);
  for (auto _ : state) {
    benchmark::DoNotOptimize(state.range(0) ? oracle::referenceFindEmbedding(ws, a, b)
                                            : findEmbedding(ws.view(a), ws.view(b)));
  }
}
BENCHMARK(BM_EmbedChain20)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Z_30 with a third of its sums given and the group laws; the operation
// is flagged commutative, so the flag checks run before every assignment.
Workspace partialGroup() {
  Workspace ws = oracle::workspaceWithSignature(".c - 1");
  const int32_t n = 30;
  const int32_t k = createAlgebra(ws, n);
  std::mt19937 rng(6);
  for (int32_t x = 0; x < n; ++x) {
    for (int32_t y = 0; y < n; ++y) {
      if (rng() % 3 == 0) ws.algebra(k).table[x * n + y] = (x + y) % n;
    }
  }
  for (const char* e : {"x(yz)=(xy)z", "x1=x", "1x=x", "x-x=1", "(-x)x=1"}) {
    const EquationSides s = parseEquation(ws, e);
    addEquation(ws, s.left, s.right);
  }
  ws.algebra(k).table[n * n + n] = 0;
  for (int32_t x = 0; x < n; ++x) ws.algebra(k).table[n * n + x] = (n - x) % n;
  return ws;
}
// The key u pressed until the table stops changing, as a user would.
void BM_CompleteGroup30(benchmark::State& state) {
  const Workspace start = partialGroup();
  for (auto _ : state) {
    Workspace ws = start;
    for (std::vector<int32_t> before; before != ws.algebra(0).table;) {
      before = ws.algebra(0).table;
      completeByEquations(ws, 0);
    }
    benchmark::DoNotOptimize(ws.algebra(0).table);
  }
}
void BM_CompleteGroup30Plain(benchmark::State& state) {
  const Workspace start = partialGroup();
  for (auto _ : state) {
    Workspace ws = start;
    for (std::vector<int32_t> before; before != ws.algebra(0).table;) {
      before = ws.algebra(0).table;
      oracle::completeByEquationsReference(ws, 0);
    }
    benchmark::DoNotOptimize(ws.algebra(0).table);
  }
}
BENCHMARK(BM_CompleteGroup30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompleteGroup30Plain)->Iterations(1)->Unit(benchmark::kMillisecond);

// A 20-element semilattice (max on a chain) with the semilattice laws.
Workspace semilattice20() {
  Workspace ws = oracle::workspaceWithSignature(".");
  const int32_t k = createAlgebra(ws, 20);
  for (int32_t x = 0; x < 20; ++x) {
    for (int32_t y = 0; y < 20; ++y) ws.algebra(k).table[x * 20 + y] = std::max(x, y);
  }
  for (const char* e : {"xx=x", "xy=yx", "(xy)z=x(yz)"}) {
    const EquationSides s = parseEquation(ws, e);
    addEquation(ws, s.left, s.right);
  }
  return ws;
}
// Key r on Z_62 under + - $ with the group laws.
void BM_ReconstructibleZ62(benchmark::State& state) {
  Workspace ws = oracle::workspaceWithSignature("+ - $");
  const int32_t k = oracle::addCyclicGroupWithLaws(ws, 62);
  for (auto _ : state) benchmark::DoNotOptimize(reconstructiblePlaces(ws, k));
}
BENCHMARK(BM_ReconstructibleZ62)->Unit(benchmark::kMillisecond);

void BM_ReconstructibleSemilattice20(benchmark::State& state) {
  Workspace ws = semilattice20();
  for (auto _ : state) benchmark::DoNotOptimize(reconstructiblePlaces(ws, 0));
}
void BM_ReconstructibleSemilattice20Plain(benchmark::State& state) {
  Workspace ws = semilattice20();
  for (auto _ : state) {
    std::vector<uint8_t> marks(400, 1);
    Assignment s;
    for (int32_t p = 0; p < 400; ++p) {
      const int32_t v = ws.algebra(0).table[p];
      for (int32_t w = 0; w < 20; ++w) {
        if (w == v) continue;
        ws.algebra(0).table[p] = w;
        bool all = true;
        for (int32_t f : ws.terms.formulaList) all = oracle::satisfiesReference(ws, 0, f, s) && all;
        if (all) marks[p] = 0;
      }
      ws.algebra(0).table[p] = v;
    }
    benchmark::DoNotOptimize(marks);
  }
}
BENCHMARK(BM_ReconstructibleSemilattice20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReconstructibleSemilattice20Plain)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kest
