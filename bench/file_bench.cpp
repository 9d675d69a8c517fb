// Writing and reading a ".t" file of a 3000-element algebra with two binary
// operations: 18 million entries.
#include <benchmark/benchmark.h>

#include <random>

#include "core/algebra_store.h"
#include "io/algebra_file.h"
#include "tests/oracle/random_inputs.h"

namespace kest {
namespace {

Workspace bigAlgebra() {
  Workspace ws = oracle::workspaceWithSignature(". +");
  std::mt19937 rng(3);
  oracle::addRandomAlgebra(ws, 3000, 0.01, rng);
  return ws;
}

void BM_WriteSingleAlgebra3000(benchmark::State& state) {
  const Workspace ws = bigAlgebra();
  for (auto _ : state) benchmark::DoNotOptimize(singleAlgebraText(ws, 0));
}
void BM_ReadSingleAlgebra3000(benchmark::State& state) {
  Workspace ws = bigAlgebra();
  const std::string text = singleAlgebraText(ws, 0);
  for (auto _ : state) {
    appendAlgebraText(ws, text);
    deleteAlgebra(ws, 1);
  }
}
BENCHMARK(BM_WriteSingleAlgebra3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadSingleAlgebra3000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kest
