// Maltsev conditions on the algebras the tests know the answers for, on
// the dihedral group of order 16 (F(2) has 945 elements in its one binary
// operation), and "all" on each; beside them the plain search on the
// two-element algebras, where it can list the clone.
#include <benchmark/benchmark.h>

#include <functional>

#include "conditions/maltsev_conditions.h"
#include "core/algebra_store.h"
#include "tests/oracle/random_inputs.h"
#include "tests/oracle/reference_conditions.h"
#include "tests/oracle/sample_algebras.h"

namespace kest {
namespace {

struct Sample {
  Workspace ws;
  int32_t k;
};

Sample binary(const char* signature, int32_t n, const std::function<int32_t(int32_t, int32_t)>& f) {
  Sample s{oracle::workspaceWithSignature(signature), 0};
  s.k = createAlgebra(s.ws, n);
  for (int32_t x = 0; x < n; ++x) {
    for (int32_t y = 0; y < n; ++y) s.ws.algebra(s.k).table[static_cast<size_t>(x * n + y)] = f(x, y);
  }
  return s;
}

// Polin's algebra: two copies of the 2-element Boolean algebra, the meet
// of different copies taken in the upper one, the complement within a
// copy, x* the top of the other copy.
Sample polin() {
  Sample s = binary(". - *", 4, [](int32_t x, int32_t y) { return ((x | y) & 2) | (x & y & 1); });
  for (int32_t x = 0; x < 4; ++x) {
    s.ws.algebra(s.k).table[static_cast<size_t>(16 + x)] = x < 2 ? 3 : 1;
    s.ws.algebra(s.k).table[static_cast<size_t>(20 + x)] = x ^ 1;
  }
  return s;
}

// The 2-element Boolean algebra: join, meet, complement.
Sample boolean() {
  Sample s = binary("+ . -", 2, [](int32_t x, int32_t y) { return x | y; });
  for (int32_t x = 0; x < 2; ++x) {
    for (int32_t y = 0; y < 2; ++y) s.ws.algebra(s.k).table[static_cast<size_t>(4 + 2 * x + y)] = x & y;
    s.ws.algebra(s.k).table[static_cast<size_t>(8 + x)] = 1 - x;
  }
  return s;
}

// range(0): 0 the 2-element lattice, 1 the 2-element semilattice, 2 Z_3,
// 3 S3, 4 rock-paper-scissors, 5 x -> y on two elements, 6 D16, 7 Polin's
// algebra, 8 the 2-element Boolean algebra, 9 Z_2, 10 the idempotent
// quasigroup 2x + 2y mod 3.
Sample sample(int64_t which) {
  switch (which) {
    case 7: return polin();
    case 8: return boolean();
    case 9: return binary("+", 2, [](int32_t x, int32_t y) { return x ^ y; });
    case 10: return binary(".", 3, [](int32_t x, int32_t y) { return (2 * x + 2 * y) % 3; });
    case 0: {
      Sample s{oracle::workspaceWithSignature("L"), 0};
      s.k = oracle::addChainProductLattice(s.ws, {2});
      return s;
    }
    case 1: return binary(".", 2, [](int32_t x, int32_t y) { return x & y; });
    case 2: return binary("+", 3, [](int32_t x, int32_t y) { return (x + y) % 3; });
    case 3: {
      static const int32_t perms[6][3] = {{0, 1, 2}, {1, 0, 2}, {0, 2, 1}, {2, 1, 0}, {1, 2, 0}, {2, 0, 1}};
      return binary(".", 6, [](int32_t x, int32_t y) {
        int32_t p[3];
        for (int32_t i = 0; i < 3; ++i) p[i] = perms[x][perms[y][i]];
        for (int32_t i = 0; i < 6; ++i) {
          if (perms[i][0] == p[0] && perms[i][1] == p[1] && perms[i][2] == p[2]) return i;
        }
        return -1;
      });
    }
    case 4: return binary(".", 3, [](int32_t x, int32_t y) { return x == y ? x : (x + 1) % 3 == y ? y : x; });
    case 5: return binary(">", 2, [](int32_t x, int32_t y) { return (1 - x) | y; });
    default:
      // r^i s^j as i + 8j: (r^i s^j)(r^k s^l) = r^(i +- k) s^(j + l).
      return binary(".", 16, [](int32_t a, int32_t b) {
        const int32_t i = a / 8 ? (a % 8 - b % 8 + 8) % 8 : (a % 8 + b % 8) % 8;
        return i + 8 * ((a / 8) ^ (b / 8));
      });
  }
}

// Every condition in turn on one algebra: range(0) the algebra, range(1)
// the condition's place in the table.
void BM_Condition(benchmark::State& state) {
  Sample s = sample(state.range(0));
  const ConditionInfo& info = conditionTable()[static_cast<size_t>(state.range(1))];
  for (auto _ : state) {
    if (info.condition == Condition::kAll) {
      benchmark::DoNotOptimize(decideAllConditions(s.ws.view(s.k), noProgress()));
    } else {
      benchmark::DoNotOptimize(decideCondition(s.ws.view(s.k), info.condition, info.defaultK, noProgress()));
    }
  }
  state.SetLabel(info.word);
}
BENCHMARK(BM_Condition)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, benchmark::CreateDenseRange(0, 12, 1)})
    ->Unit(benchmark::kMillisecond);

// A groupoid on three elements with a large clone (F(2) has up to 19,683
// elements): the searches end within their bound on products, answered or not.
void BM_ConditionOnLargeFreeAlgebra(benchmark::State& state) {
  static const int32_t table[9] = {0, 0, 0, 1, 0, 2, 2, 1, 1};
  Sample s = binary(".", 3, [](int32_t x, int32_t y) { return table[x * 3 + y]; });
  const ConditionInfo& info = conditionTable()[static_cast<size_t>(state.range(0))];
  for (auto _ : state) {
    benchmark::DoNotOptimize(decideCondition(s.ws.view(s.k), info.condition, info.defaultK, noProgress()));
  }
  state.SetLabel(info.word);
}
BENCHMARK(BM_ConditionOnLargeFreeAlgebra)->DenseRange(0, 11, 1)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_ConditionPlain(benchmark::State& state) {
  Sample s = sample(state.range(0));
  const ConditionInfo& info = conditionTable()[static_cast<size_t>(state.range(1))];
  for (auto _ : state)
    benchmark::DoNotOptimize(oracle::referenceCondition(s.ws.view(s.k), info.condition, info.defaultK));
  state.SetLabel(info.word);
}
BENCHMARK(BM_ConditionPlain)
    ->ArgsProduct({{0, 1, 5}, benchmark::CreateDenseRange(0, 10, 1)})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kest
