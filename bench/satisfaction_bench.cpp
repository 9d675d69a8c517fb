// Satisfaction: the fast check against the plain recursive one on the same
// inputs. Associativity over a 400-element semigroup (64 million
// assignments, all satisfied) and a 4-variable equation over 60 elements.
#include <benchmark/benchmark.h>

#include "core/algebra_store.h"
#include "terms/formulas.h"
#include "terms/satisfaction.h"
#include "terms/term_parse.h"
#include "tests/oracle/random_inputs.h"
#include "tests/oracle/reference_satisfaction.h"

namespace kest {
namespace {

// Z_n under addition: associative, so every assignment is tried.
Workspace cyclicGroupWith(int32_t n, const char* equation) {
  Workspace ws = oracle::workspaceWithSignature(".");
  const int32_t k = createAlgebra(ws, n);
  for (int32_t x = 0; x < n; ++x) {
    for (int32_t y = 0; y < n; ++y) ws.algebra(k).table[x * n + y] = (x + y) % n;
  }
  const EquationSides s = parseEquation(ws, equation);
  addEquation(ws, s.left, s.right);
  return ws;
}

void runFast(benchmark::State& state, int32_t n, const char* equation) {
  const Workspace ws = cyclicGroupWith(n, equation);
  for (auto _ : state) {
    Assignment s;
    benchmark::DoNotOptimize(satisfies(ws, 0, ws.terms.formulaList[0], s, noProgress()));
  }
}

void runPlain(benchmark::State& state, int32_t n, const char* equation) {
  const Workspace ws = cyclicGroupWith(n, equation);
  for (auto _ : state) {
    Assignment s;
    benchmark::DoNotOptimize(oracle::satisfiesReference(ws, 0, ws.terms.formulaList[0], s));
  }
}

void BM_AssociativityFast400(benchmark::State& state) { runFast(state, 400, "(xy)z=x(yz)"); }
void BM_AssociativityPlain400(benchmark::State& state) { runPlain(state, 400, "(xy)z=x(yz)"); }
void BM_FourVariablesFast60(benchmark::State& state) { runFast(state, 60, "(xy)(zu)=(x(yz))u"); }
void BM_FourVariablesPlain60(benchmark::State& state) { runPlain(state, 60, "(xy)(zu)=(x(yz))u"); }

BENCHMARK(BM_AssociativityFast400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AssociativityPlain400)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_FourVariablesFast60)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FourVariablesPlain60)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace kest
