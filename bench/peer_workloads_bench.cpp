// The workloads measured side by side with UACalc, each beside its plain
// twin (at a smaller size where the plain one would take minutes). Inputs
// are renumbered or random, as users meet them: a lattice whose elements
// come in order of their height is easier than one typed in any order.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>

#include "commands/executor.h"
#include "core/algebra_store.h"
#include "structure/congruence_closure.h"
#include "structure/congruence_lattice.h"
#include "structure/embedding.h"
#include "structure/subuniverse.h"
#include "tests/oracle/random_inputs.h"
#include "tests/oracle/reference_embedding.h"
#include "tests/oracle/reference_lattices.h"
#include "tests/oracle/reference_structure.h"
#include "tests/oracle/sample_algebras.h"

namespace kest {
namespace {

// Con of {0,1}^k under meet: 2480 congruences for k = 4.
void BM_ConSemilatticePower(benchmark::State& state) {
  Workspace ws = oracle::workspaceWithSignature(".");
  const int32_t k = oracle::addSemilatticePower(ws, static_cast<int32_t>(state.range(0)));
  for (auto _ : state)
    state.counters["elements"] = static_cast<double>(congruenceLattice(ws.view(k), 1 << 30).listing.size());
}
BENCHMARK(BM_ConSemilatticePower)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond);

void BM_ConSemilatticePowerPlain(benchmark::State& state) {
  Workspace ws = oracle::workspaceWithSignature(".");
  const int32_t k = oracle::addSemilatticePower(ws, static_cast<int32_t>(state.range(0)));
  for (auto _ : state)
    state.counters["elements"] = static_cast<double>(oracle::congruenceLatticeReference(ws, k).elements.size());
}
BENCHMARK(BM_ConSemilatticePowerPlain)->Arg(3)->Iterations(1)->Unit(benchmark::kMillisecond);

// Con of products of chains, renumbered: 4 x 5 x 6 has 4096 congruences,
// 5 x 5 x 8 has 32768.
void BM_ConChainProduct(benchmark::State& state) {
  Workspace ws = oracle::workspaceWithSignature("L");
  const std::vector<int32_t> lengths{static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(1)),
                                     static_cast<int32_t>(state.range(2))};
  const int32_t k = oracle::addChainProductLattice(ws, lengths, 7);
  for (auto _ : state)
    state.counters["elements"] = static_cast<double>(congruenceLattice(ws.view(k), 1 << 30).listing.size());
}
BENCHMARK(BM_ConChainProduct)->Args({2, 3, 4})->Args({4, 5, 6})->Args({5, 5, 8})->Unit(benchmark::kMillisecond);

void BM_ConChainProductPlain(benchmark::State& state) {
  Workspace ws = oracle::workspaceWithSignature("L");
  const int32_t k = oracle::addChainProductLattice(ws, {2, 3, 4}, 7);
  for (auto _ : state)
    state.counters["elements"] = static_cast<double>(oracle::congruenceLatticeReference(ws, k).elements.size());
}
BENCHMARK(BM_ConChainProductPlain)->Iterations(1)->Unit(benchmark::kMillisecond);

// Sub of {0,1}^k under meet: 2,771,104 subuniverses for k = 5.
void BM_SubSemilatticePower(benchmark::State& state) {
  Workspace ws = oracle::workspaceWithSignature(".");
  const int32_t k = oracle::addSemilatticePower(ws, static_cast<int32_t>(state.range(0)));
  for (auto _ : state)
    state.counters["elements"] = static_cast<double>(subuniverseLattice(ws.view(k), 1 << 30).listing.size());
}
BENCHMARK(BM_SubSemilatticePower)->Arg(4)->Arg(5)->Unit(benchmark::kMillisecond);

void BM_SubSemilatticePowerPlain(benchmark::State& state) {
  Workspace ws = oracle::workspaceWithSignature(".");
  const int32_t k = oracle::addSemilatticePower(ws, static_cast<int32_t>(state.range(0)));
  for (auto _ : state)
    state.counters["elements"] = static_cast<double>(oracle::subuniverseLatticeReference(ws, k).elements.size());
}
BENCHMARK(BM_SubSemilatticePowerPlain)->Arg(4)->Iterations(1)->Unit(benchmark::kMillisecond);

Workspace randomGroupoid(int32_t n) {
  Workspace ws = oracle::workspaceWithSignature(".");
  std::mt19937 rng(11);
  oracle::addRandomAlgebra(ws, n, 0.0, rng);
  return ws;
}

// Sg of one element of a random 1000-element groupoid: all of it.
void BM_SgRandomGroupoid(benchmark::State& state) {
  const Workspace ws = randomGroupoid(1000);
  for (auto _ : state) {
    std::vector<uint8_t> members(1000, 0);
    members[17] = 1;
    closeSubuniverse(ws.view(0), members);
    benchmark::DoNotOptimize(members);
  }
}
BENCHMARK(BM_SgRandomGroupoid)->Unit(benchmark::kMicrosecond);

void BM_SgRandomGroupoidPlain(benchmark::State& state) {
  const Workspace ws = randomGroupoid(1000);
  for (auto _ : state) {
    std::vector<uint8_t> members(1000, 0);
    members[17] = 1;
    oracle::closeSubuniverseReference(ws, 0, members);
    benchmark::DoNotOptimize(members);
  }
}
BENCHMARK(BM_SgRandomGroupoidPlain)->Unit(benchmark::kMicrosecond);

// Cg of one pair of a random groupoid (1000 elements; the plain closure
// at 200, where it takes about a second).
void BM_CgRandomGroupoid(benchmark::State& state) {
  const Workspace ws = randomGroupoid(static_cast<int32_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(principalCongruence(ws.view(0), 3, 5));
}
BENCHMARK(BM_CgRandomGroupoid)->Arg(200)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_CgRandomGroupoidPlain(benchmark::State& state) {
  const Workspace ws = randomGroupoid(200);
  for (auto _ : state) {
    Partition p = identityPartition(200);
    p[5] = 3;
    oracle::closureReference(ws, 0, p);
    benchmark::DoNotOptimize(p);
  }
}
BENCHMARK(BM_CgRandomGroupoidPlain)->Iterations(1)->Unit(benchmark::kMillisecond);

// A 20-element chain into a renumbered 20-element chain.
void BM_EmbedChainRenumbered(benchmark::State& state) {
  Workspace ws = oracle::workspaceWithSignature("L");
  const int32_t a = oracle::addChainProductLattice(ws, {20});
  const int32_t b = oracle::addChainProductLattice(ws, {20}, 3);
  for (auto _ : state) {
    benchmark::DoNotOptimize(state.range(0) ? oracle::referenceFindEmbedding(ws, a, b)
                                            : findEmbedding(ws.view(a), ws.view(b)));
  }
}
BENCHMARK(BM_EmbedChainRenumbered)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The product Z_100 x Z_100 (10^8 table entries) in fresh memory, beside
// writing the same 400 MB of fresh memory. The first one in a process is
// what a user meets: run each alone (--benchmark_filter) for that figure;
// later ones reuse pages the kernel has already made.
void BM_ProductZ100First(benchmark::State& state) {
  Workspace ws = oracle::workspaceWithSignature("+");
  ws.redMarked = oracle::addCyclicSum(ws, 100);
  ws.greenMarked = oracle::addCyclicSum(ws, 100);
  for (auto _ : state) {
    executeCommand(ws, InputMode::kProduct);
    state.PauseTiming();
    deleteAlgebra(ws, 2);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ProductZ100First)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_WriteFreshMemory400MB(benchmark::State& state) {
  constexpr size_t kEntries = size_t{100} * 1000 * 1000;
  for (auto _ : state) {
    std::unique_ptr<int32_t[]> table(new int32_t[kEntries]);
    for (size_t i = 0; i < kEntries; ++i) table[i] = static_cast<int32_t>(i % 100);
    benchmark::DoNotOptimize(table.get());
    state.PauseTiming();
    table.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_WriteFreshMemory400MB)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kest
