// Free algebras: in HSP(A) with the hashed vector store beside the plain
// linear search, and over a partial algebra with the union-find closure
// beside the plain one.
#include <benchmark/benchmark.h>

#include "core/algebra_store.h"
#include "free/free_in_hsp.h"
#include "free/free_over_partial.h"
#include "tests/oracle/random_inputs.h"
#include "tests/oracle/reference_free.h"

namespace kest {
namespace {

Workspace twoElementLattice() {
  Workspace ws = oracle::workspaceWithSignature("L");
  const int32_t k = createAlgebra(ws, 2);
  ws.algebra(k).table = {0, 1, 1, 1, 0, 0, 0, 1};
  return ws;
}

// A lattice on five elements given by its join table, meet derived.
Workspace fiveElementLattice(const char* joins) {
  Workspace ws = oracle::workspaceWithSignature("L");
  const int32_t k = createAlgebra(ws, 5);
  auto join = [&](int x, int y) { return joins[x * 5 + y] - 'a'; };
  for (int x = 0; x < 5; ++x) {
    for (int y = 0; y < 5; ++y) {
      ws.algebra(k).table[x * 5 + y] = join(x, y);
      int meet = -1;
      for (int z = 0; z < 5; ++z) {
        if (join(z, x) == x && join(z, y) == y && (meet < 0 || join(z, meet) == z)) meet = z;
      }
      ws.algebra(k).table[25 + x * 5 + y] = meet;
    }
  }
  return ws;
}

void BM_FreeDistributive(benchmark::State& state) {
  Workspace ws = twoElementLattice();
  const int32_t tables = static_cast<int32_t>(state.range(1));
  for (auto _ : state) {
    const FreeInHspResult r = buildFreeInHSP(ws, static_cast<int32_t>(state.range(0)), 0, 10000, tables);
    state.counters["size"] = r.size;
    while (ws.algebraCount() > 1) deleteAlgebra(ws, 1);
  }
}
BENCHMARK(BM_FreeDistributive)
    ->Args({3, 0})
    ->Args({4, 0})
    ->Args({5, 0})
    ->Args({5, 7579})
    ->Unit(benchmark::kMillisecond);

void BM_FreeDistributivePlain(benchmark::State& state) {
  const Workspace ws = twoElementLattice();
  for (auto _ : state)
    state.counters["size"] = oracle::freeInHspSizeReference(ws, static_cast<int32_t>(state.range(0)), 0, 10000);
}
BENCHMARK(BM_FreeDistributivePlain)->Arg(4)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_FreeBoolean4(benchmark::State& state) {
  Workspace ws = oracle::workspaceWithSignature("+c .c - 0 1");
  const int32_t k = createAlgebra(ws, 2);
  ws.algebra(k).table = {0, 1, 1, 1, 0, 0, 0, 1, 1, 0, 0, 1};
  for (auto _ : state) state.counters["size"] = buildFreeInHSP(ws, 4, k, 70000, 0).size;
}
BENCHMARK(BM_FreeBoolean4)->Unit(benchmark::kMillisecond);

void BM_FreeOverM3AndPentagon(benchmark::State& state) {
  // M3: three atoms b, c, d; the pentagon: a < b < c < e and a < d < e.
  Workspace ws = fiveElementLattice(state.range(0) ? "abcdebbceecccee"
                                                     "deede"
                                                     "eeeee"
                                                   : "abcdebbeeecece"
                                                     "edeedeeeeee");
  for (auto _ : state) state.counters["size"] = buildFreeInHSP(ws, 3, 0, 100000, 0).size;
}
BENCHMARK(BM_FreeOverM3AndPentagon)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The free distributive lattice on n generators from n undefined elements.
Workspace distributivePartial(int32_t n) {
  Workspace ws = oracle::workspaceWithSignature("L");
  for (const char* e : {"x+(y+z)=(x+y)+z", "x(yz)=(xy)z", "x+xy=x", "x(x+y)=x", "x(y+z)=xy+xz"}) {
    oracle::addEquationText(ws, e);
  }
  createAlgebra(ws, n);
  return ws;
}

// The free group of exponent 3 on 2 generators (27 elements).
Workspace burnside() {
  Workspace ws = oracle::workspaceWithSignature(". - 1");
  for (const char* e : {"x(yz)=(xy)z", "x1=x", "1x=x", "x-x=1", "(-x)x=1", "xxx=1"}) oracle::addEquationText(ws, e);
  createAlgebra(ws, 2);
  return ws;
}

// The free semilattice on n generators (2^n - 1 elements) from n undefined
// elements: one associative operation flagged commutative and idempotent.
Workspace semilatticePartial(int32_t n) {
  Workspace ws = oracle::workspaceWithSignature(".ci");
  oracle::addEquationText(ws, "x(yz)=(xy)z");
  createAlgebra(ws, n);
  return ws;
}

void runOverPartial(benchmark::State& state, Workspace start, ClosePartial close) {
  for (auto _ : state) {
    Workspace ws = start;
    buildFreeOverPartial(ws, 0, 2000, noProgress(), close);
    state.counters["size"] = ws.algebras.back().card;
  }
}
void BM_OverPartialDistributive(benchmark::State& state) {
  runOverPartial(state, distributivePartial(static_cast<int32_t>(state.range(0))), nullptr);
}
// Every step closed in full, as key z does.
void BM_OverPartialDistributiveFullClosures(benchmark::State& state) {
  runOverPartial(state, distributivePartial(static_cast<int32_t>(state.range(0))), closePartialAlgebra);
}
BENCHMARK(BM_OverPartialDistributiveFullClosures)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond);
void BM_OverPartialDistributivePlain(benchmark::State& state) {
  runOverPartial(state, distributivePartial(static_cast<int32_t>(state.range(0))),
                 oracle::closePartialAlgebraReference);
}
void BM_OverPartialBurnside(benchmark::State& state) { runOverPartial(state, burnside(), nullptr); }
void BM_OverPartialBurnsidePlain(benchmark::State& state) {
  runOverPartial(state, burnside(), oracle::closePartialAlgebraReference);
}
BENCHMARK(BM_OverPartialDistributive)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OverPartialDistributivePlain)->Arg(3)->Arg(4)->Iterations(1)->Unit(benchmark::kMillisecond);
void BM_OverPartialSemilattice(benchmark::State& state) {
  runOverPartial(state, semilatticePartial(static_cast<int32_t>(state.range(0))), nullptr);
}
void BM_OverPartialSemilatticePlain(benchmark::State& state) {
  runOverPartial(state, semilatticePartial(static_cast<int32_t>(state.range(0))), oracle::closePartialAlgebraReference);
}
BENCHMARK(BM_OverPartialSemilattice)->Arg(5)->Arg(6)->Arg(7)->Arg(8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OverPartialSemilatticePlain)->Arg(5)->Arg(6)->Arg(7)->Arg(8)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OverPartialBurnside)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OverPartialBurnsidePlain)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kest
