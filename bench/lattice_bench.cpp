// Lattices: the key l report, the layout and the embedding search on
// products of chains built with the product command, with the plain
// versions beside the fast ones where they finish.
#include <benchmark/benchmark.h>

#include "commands/executor.h"
#include "commands/lattice_commands.h"
#include "commands/panel_commands.h"
#include "core/algebra_store.h"
#include "structure/lattice_embedding.h"
#include "structure/lattice_layout.h"
#include "structure/lattice_order.h"
#include "tests/oracle/random_inputs.h"
#include "tests/oracle/reference_lattice.h"

namespace kest {
namespace {

// The chain of n elements, typed as an order, in the lattice signature.
int32_t addChain(Workspace& ws, int32_t n) {
  const int32_t k = createAlgebra(ws, n);
  for (int32_t x = 0; x < n; ++x)
    for (int32_t y = 0; y < n; ++y) {
      ws.algebra(k).table[x * n + y] = std::max(x, y);
      ws.algebra(k).table[n * n + x * n + y] = std::min(x, y);
    }
  return k;
}

// The product of chains of the given lengths, by the product command;
// the last algebra of the workspace.
Workspace chainProduct(const std::vector<int32_t>& lengths) {
  Workspace ws = oracle::workspaceWithSignature("L");
  int32_t product = addChain(ws, lengths[0]);
  for (size_t i = 1; i < lengths.size(); ++i) {
    const int32_t chain = addChain(ws, lengths[i]);
    ws.redMarked = product;
    ws.greenMarked = chain;
    executeCommand(ws, InputMode::kProduct);
    product = ws.algebraCount() - 1;
  }
  return ws;
}

const std::vector<int32_t> kTwoToThe9(9, 2);

void BM_LatticeReport(benchmark::State& state, std::vector<int32_t> lengths) {
  Workspace ws = chainProduct(lengths);
  const int32_t k = ws.algebraCount() - 1;
  for (auto _ : state) {
    latticeReport(ws, k);
    benchmark::DoNotOptimize(ws.messages.lines().size());
  }
  state.counters["card"] = ws.algebra(k).card;
}
BENCHMARK_CAPTURE(BM_LatticeReport, two_to_the_9, kTwoToThe9)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LatticeReport, chains_3x10x10, std::vector<int32_t>{3, 10, 10})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LatticeReport, chains_2x31, std::vector<int32_t>{2, 31})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LatticeReport, chain_3000, std::vector<int32_t>{3000})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LatticeReport, chains_10x15x20, std::vector<int32_t>{10, 15, 20})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// The plain Whitman test, quartic, on the 62-element lattice beside it.
void BM_PlainWhitman62(benchmark::State& state) {
  Workspace ws = chainProduct({2, 31});
  for (auto _ : state) benchmark::DoNotOptimize(oracle::referenceWhitman(ws, ws.algebraCount() - 1));
}
BENCHMARK(BM_PlainWhitman62)->Unit(benchmark::kMillisecond);

void BM_ChainLengths(benchmark::State& state, std::vector<int32_t> lengths, bool plain) {
  Workspace ws = chainProduct(lengths);
  const int32_t k = ws.algebraCount() - 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(plain ? oracle::referenceChainLengthMatrix(ws, k, kJoinFirst)
                                   : chainLengthMatrix(ws.view(k), kJoinFirst));
  }
}
BENCHMARK_CAPTURE(BM_ChainLengths, fast_62, std::vector<int32_t>{2, 31}, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ChainLengths, plain_62, std::vector<int32_t>{2, 31}, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ChainLengths, fast_500, std::vector<int32_t>{5, 10, 10}, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ChainLengths, plain_500, std::vector<int32_t>{5, 10, 10}, true)->Unit(benchmark::kMillisecond);

void BM_Layout(benchmark::State& state, std::vector<int32_t> lengths) {
  Workspace ws = chainProduct(lengths);
  const int32_t k = ws.algebraCount() - 1;
  for (auto _ : state) {
    computeLatticeLayout(ws, k, kJoinFirst);
    benchmark::DoNotOptimize(ws.algebra(k).latticeX.data());
  }
}
BENCHMARK_CAPTURE(BM_Layout, lattice_62, std::vector<int32_t>{2, 31})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Layout, lattice_500, std::vector<int32_t>{5, 10, 10})->Unit(benchmark::kMillisecond);

// 2^4 into 2^6, both as products of two-element chains.
void BM_LatticeEmbedding(benchmark::State& state, bool plain) {
  Workspace ws = chainProduct(std::vector<int32_t>(6, 2));
  const int32_t big = ws.algebraCount() - 1;
  Workspace small = chainProduct(std::vector<int32_t>(4, 2));
  const std::vector<int32_t>& t = small.algebra(small.algebraCount() - 1).table;
  const int32_t a = createAlgebra(ws, 16);
  std::copy(t.begin(), t.end(), ws.algebra(a).table.begin());
  std::vector<int32_t> map;
  for (auto _ : state) {
    benchmark::DoNotOptimize(plain ? oracle::referenceLatticeEmbedding(ws, a, big, false, map)
                                   : findLatticeEmbedding(ws.view(a), ws.view(big), false, map));
  }
}
BENCHMARK_CAPTURE(BM_LatticeEmbedding, fast_16_into_64, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LatticeEmbedding, plain_16_into_64, true)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kest
