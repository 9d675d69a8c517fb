// Congruences, subuniverses and products: the fast algorithms beside the
// plain ones where those finish in reasonable time.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <set>

#include "commands/executor.h"
#include "core/algebra_store.h"
#include "structure/abelian.h"
#include "structure/congruence_closure.h"
#include "structure/minimal_congruences.h"
#include "structure/subuniverse.h"
#include "tests/oracle/random_inputs.h"
#include "tests/oracle/reference_structure.h"

namespace kest {
namespace {

// Z_n: x+y mod n and -x.
Workspace cyclic(int32_t n) {
  Workspace ws = oracle::workspaceWithSignature(". -");
  const int32_t k = createAlgebra(ws, n);
  for (int32_t x = 0; x < n; ++x) {
    for (int32_t y = 0; y < n; ++y) ws.algebras[k].table[x * n + y] = (x + y) % n;
    ws.algebras[k].table[n * n + x] = (n - x) % n;
  }
  return ws;
}

// A lattice on the given sets of bits: join is union, meet intersection.
Workspace latticeOfMasks(std::vector<uint32_t> masks) {
  std::sort(masks.begin(), masks.end());
  Workspace ws = oracle::workspaceWithSignature("L");
  const int32_t n = static_cast<int32_t>(masks.size());
  const int32_t k = createAlgebra(ws, n);
  auto index = [&](uint32_t m) { return static_cast<int32_t>(std::lower_bound(masks.begin(), masks.end(), m) - masks.begin()); };
  for (int32_t x = 0; x < n; ++x) {
    for (int32_t y = 0; y < n; ++y) {
      ws.algebras[k].table[x * n + y] = index(masks[x] | masks[y]);
      ws.algebras[k].table[n * n + x * n + y] = index(masks[x] & masks[y]);
    }
  }
  return ws;
}

// The free distributive lattice on 4 generators: the four projections of
// {0,1}^16 closed under pointwise max and min (166 elements).
Workspace freeDistributive4() {
  std::set<uint32_t> set;
  for (int g = 0; g < 4; ++g) {
    uint32_t m = 0;
    for (int v = 0; v < 16; ++v) m |= ((v >> g) & 1u) << v;
    set.insert(m);
  }
  for (bool grew = true; grew;) {
    grew = false;
    const std::vector<uint32_t> now(set.begin(), set.end());
    for (uint32_t a : now) {
      for (uint32_t b : now) grew |= set.insert(a | b).second | set.insert(a & b).second;
    }
  }
  return latticeOfMasks({set.begin(), set.end()});
}

// A 62-element lattice: all down-sets... here the chain product 2 x 31.
Workspace lattice62() {
  std::vector<uint32_t> masks;
  for (uint32_t a = 0; a < 2; ++a) {
    for (uint32_t b = 0; b <= 30; ++b) masks.push_back((a << 31) | ((1u << b) - 1));
  }
  return latticeOfMasks(masks);
}

void BM_CgFast(benchmark::State& state) {
  const Workspace ws = cyclic(static_cast<int32_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(principalCongruence(ws, 0, 0, 1));
}
void BM_CgPlain(benchmark::State& state) {
  const Workspace ws = cyclic(static_cast<int32_t>(state.range(0)));
  for (auto _ : state) {
    Partition p = identityPartition(static_cast<int32_t>(state.range(0)));
    p[1] = 0;
    oracle::closureReference(ws, 0, p);
    benchmark::DoNotOptimize(p);
  }
}
BENCHMARK(BM_CgFast)->Arg(62)->Arg(500)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CgPlain)->Arg(62)->Arg(500)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_MinimalZ60Fast(benchmark::State& state) {
  const Workspace ws = cyclic(60);
  for (auto _ : state) benchmark::DoNotOptimize(minimalCongruences(ws, 0));
}
void BM_MinimalZ60Plain(benchmark::State& state) {
  const Workspace ws = cyclic(60);
  for (auto _ : state) benchmark::DoNotOptimize(oracle::minimalCongruencesReference(ws, 0));
}
void BM_MinimalLattice62(benchmark::State& state) {
  const Workspace ws = lattice62();
  for (auto _ : state) benchmark::DoNotOptimize(minimalCongruences(ws, 0));
}
void BM_MinimalFreeDistributive166(benchmark::State& state) {
  const Workspace ws = freeDistributive4();
  if (ws.algebras[0].card != 166) state.SkipWithError("not 166 elements");
  for (auto _ : state) benchmark::DoNotOptimize(minimalCongruences(ws, 0));
}
void BM_MinimalRandom200(benchmark::State& state) {
  Workspace ws = oracle::workspaceWithSignature(". -");
  std::mt19937 rng(7);
  oracle::addRandomAlgebra(ws, 200, 0.0, rng);
  for (auto _ : state) benchmark::DoNotOptimize(minimalCongruences(ws, 0));
}
BENCHMARK(BM_MinimalZ60Fast)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MinimalZ60Plain)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MinimalLattice62)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MinimalFreeDistributive166)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MinimalRandom200)->Unit(benchmark::kMillisecond);

// Key i at the sizes the panel accepts: range(0) the size, range(1) the
// algebra: 0 Z_n, 1 the n-element chain lattice, 2 a random groupoid, 3 the
// projection x.y = x (every equivalence a congruence).
void BM_MinimalLarge(benchmark::State& state) {
  const int32_t n = static_cast<int32_t>(state.range(0));
  Workspace ws = state.range(1) == 1 ? oracle::workspaceWithSignature("L") : oracle::workspaceWithSignature(".");
  const int32_t k = createAlgebra(ws, n);
  std::vector<int32_t>& t = ws.algebras[k].table;
  std::mt19937 rng(3);
  for (int32_t x = 0; x < n; ++x) {
    for (int32_t y = 0; y < n; ++y) {
      const size_t at = static_cast<size_t>(x) * n + y;
      switch (state.range(1)) {
        case 0: t[at] = (x + y) % n; break;
        case 1:
          t[at] = std::max(x, y);
          t[static_cast<size_t>(n) * n + at] = std::min(x, y);
          break;
        case 2: t[at] = static_cast<int32_t>(rng() % n); break;
        default: t[at] = x; break;
      }
    }
  }
  size_t atoms = 0;
  for (auto _ : state) atoms = minimalCongruences(ws, k)->size();
  state.SetLabel(std::to_string(atoms) + " atoms");
}
BENCHMARK(BM_MinimalLarge)->Args({1000, 0})->Args({1000, 1})->Args({1000, 2})->Args({210, 3})->Args({3000, 0})
    ->Args({3000, 1})->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_AbelianZ62Fast(benchmark::State& state) {
  const Workspace ws = cyclic(62);
  for (auto _ : state) benchmark::DoNotOptimize(isAbelian(ws, 0));
}
// The plain test closes the square's 3844 elements with full passes: hours.
// Z_12 (144 pairs) is where it still finishes.
void BM_AbelianZ12Fast(benchmark::State& state) {
  const Workspace ws = cyclic(12);
  for (auto _ : state) benchmark::DoNotOptimize(isAbelian(ws, 0));
}
void BM_AbelianZ12Plain(benchmark::State& state) {
  const Workspace ws = cyclic(12);
  for (auto _ : state) benchmark::DoNotOptimize(oracle::isAbelianReference(ws, 0));
}
// Z_n of the table: 1.1 s / 13 s / 133 s before pairs remembered
// how they arose.
void BM_AbelianCyclic(benchmark::State& state) {
  const Workspace ws = cyclic(static_cast<int32_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(isAbelian(ws, 0));
}
BENCHMARK(BM_AbelianCyclic)->Arg(120)->Arg(200)->Arg(300)->Arg(1000)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_AbelianLattice62(benchmark::State& state) {
  const Workspace ws = lattice62();
  for (auto _ : state) benchmark::DoNotOptimize(isAbelian(ws, 0));
}
BENCHMARK(BM_AbelianZ62Fast)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AbelianZ12Fast)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AbelianZ12Plain)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AbelianLattice62)->Unit(benchmark::kMillisecond);

void BM_SubuniverseOf3000(benchmark::State& state) {
  const Workspace ws = cyclic(3000);
  for (auto _ : state) {
    std::vector<uint8_t> members(3000, 0);
    members[1] = 1;
    closeSubuniverse(ws, 0, members);
    benchmark::DoNotOptimize(members);
  }
}
void BM_SubuniverseOf3000Plain(benchmark::State& state) {
  const Workspace ws = cyclic(3000);
  for (auto _ : state) {
    std::vector<uint8_t> members(3000, 0);
    members[1] = 1;
    oracle::closeSubuniverseReference(ws, 0, members);
    benchmark::DoNotOptimize(members);
  }
}
// A chain that the plain passes climb one element per pass: a predecessor
// operation with the projection x*y = x, generated from the top element.
Workspace predecessorChain(int32_t n) {
  Workspace ws = oracle::workspaceWithSignature(". -");
  const int32_t k = createAlgebra(ws, n);
  for (int32_t x = 0; x < n; ++x) {
    for (int32_t y = 0; y < n; ++y) ws.algebras[k].table[x * n + y] = x;
    ws.algebras[k].table[n * n + x] = x == 0 ? 0 : x - 1;
  }
  return ws;
}
void BM_SubuniverseChain(benchmark::State& state) {
  const int32_t n = static_cast<int32_t>(state.range(0));
  const Workspace ws = predecessorChain(n);
  for (auto _ : state) {
    std::vector<uint8_t> members(static_cast<size_t>(n), 0);
    members[static_cast<size_t>(n - 1)] = 1;
    closeSubuniverse(ws, 0, members);
    benchmark::DoNotOptimize(members);
  }
}
void BM_SubuniverseChainPlain(benchmark::State& state) {
  const int32_t n = static_cast<int32_t>(state.range(0));
  const Workspace ws = predecessorChain(n);
  for (auto _ : state) {
    std::vector<uint8_t> members(static_cast<size_t>(n), 0);
    members[static_cast<size_t>(n - 1)] = 1;
    oracle::closeSubuniverseReference(ws, 0, members);
    benchmark::DoNotOptimize(members);
  }
}
BENCHMARK(BM_SubuniverseOf3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SubuniverseChain)->Arg(300)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SubuniverseChainPlain)->Arg(300)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SubuniverseOf3000Plain)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_ProductOf62And62(benchmark::State& state) {
  Workspace ws = cyclic(62);
  createAlgebra(ws, 62);
  ws.algebras[1].table = ws.algebras[0].table;
  std::vector<int64_t> all(62 * 62);
  for (int64_t p = 0; p < 62 * 62; ++p) all[p] = p;
  for (auto _ : state) {
    appendSubproduct(ws, 0, 1, all);
    deleteAlgebra(ws, 2);
  }
}
BENCHMARK(BM_ProductOf62And62)->Unit(benchmark::kMillisecond);

// The product command on Z_100 x Z_100: 10^8 table entries.
void BM_ProductZ100Squared(benchmark::State& state) {
  Workspace ws = cyclic(100);
  createAlgebra(ws, 100);
  ws.algebras[1].table = ws.algebras[0].table;
  ws.redMarked = 0;
  ws.greenMarked = 1;
  for (auto _ : state) {
    executeCommand(ws, 'p');
    deleteAlgebra(ws, 2);
  }
}
BENCHMARK(BM_ProductZ100Squared)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kest
