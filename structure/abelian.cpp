#include "structure/abelian.h"

#include <new>
#include <utility>
#include <vector>

#include "structure/union_find.h"

namespace kest {

namespace {

// The most pairs of the square that the closure keeps (two 2 GiB arrays).
constexpr int64_t kMaxSquare = int64_t{1} << 29;

}  // namespace

std::optional<bool> isAbelian(const Workspace& ws, int32_t k, Progress& progress) {
  const Algebra& alg = ws.algebras[static_cast<size_t>(k)];
  const int32_t n = alg.card;
  if (n == 0) return true;
  // The union-find over the square holds n^2 classes in 32-bit indices.
  const int64_t square = static_cast<int64_t>(n) * n;
  if (square > kMaxSquare) throw std::bad_alloc();
  const int32_t nn = static_cast<int32_t>(square);
  const TableLayout lay = ws.layout(k);
  const int32_t* t = alg.table.data();
  UnionFind uf(nn);
  // Pairs (x, y) of the square are x*n + y. The diagonal pairs join (0, 0);
  // the algebra is not abelian as soon as that class outgrows the diagonal.
  std::vector<std::pair<int32_t, int32_t>> work;
  auto join = [&](int32_t p, int32_t q) {
    if (uf.unite(p, q)) work.emplace_back(p, q);
  };
  for (int32_t x = 1; x < n; ++x) join(0, x * (n + 1));
  // Each pair costs about n^2 joins per binary operation: polls by work done.
  const int64_t stepCost = 1 + static_cast<int64_t>(ws.sig.binaryCount) * 2 * square + ws.sig.unaryCount;
  int64_t steps = 0;
  while (!work.empty()) {
    if (uf.classSize(0) > n) return false;
    steps += stepCost;
    if (steps >= (int64_t{1} << 22)) {
      steps = 0;
      if (progress.stopRequested()) return std::nullopt;
    }
    const auto [p, q] = work.back();
    work.pop_back();
    const int32_t p1 = p / n, p2 = p % n, q1 = q / n, q2 = q % n;
    for (int32_t b = 0; b < ws.sig.binaryCount; ++b) {
      const int32_t* tb = t + lay.binary(b, 0, 0);
      const bool commutative = ws.sig.opCommutative[static_cast<size_t>(b)] != 0;
      for (int32_t z1 = 0; z1 < n; ++z1) {
        // A pair costs n^2 joins: large algebras poll inside it too.
        if ((z1 & 255) == 255 && progress.stopRequested()) return std::nullopt;
        const int32_t left = tb[p1 * n + z1] * n;
        const int32_t right = tb[q1 * n + z1] * n;
        for (int32_t z2 = 0; z2 < n; ++z2) join(left + tb[p2 * n + z2], right + tb[q2 * n + z2]);
        if (commutative) continue;
        for (int32_t z2 = 0; z2 < n; ++z2) {
          join(tb[z1 * n + p1] * n + tb[z2 * n + p2], tb[z1 * n + q1] * n + tb[z2 * n + q2]);
        }
      }
    }
    for (int32_t u = ws.sig.binaryCount; u < ws.sig.binaryCount + ws.sig.unaryCount; ++u) {
      const int32_t* tu = t + lay.unary(u, 0);
      join(tu[p1] * n + tu[p2], tu[q1] * n + tu[q2]);
    }
  }
  return uf.classSize(0) == n;
}

}  // namespace kest
