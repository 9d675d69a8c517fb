// The benchmarks run in a process tuned as kest's own (core/allocator_tuning.h).
#include <benchmark/benchmark.h>

#include "core/allocator_tuning.h"

int main(int argc, char** argv) {
  kest::keepFreedMemoryForReuse();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
