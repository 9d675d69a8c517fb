#include "structure/factor_algebra.h"

#include <algorithm>

#include "core/algebra_store.h"

namespace kest {

int32_t appendFactor(Workspace& ws, int32_t k, const Partition& p, bool allUndefined, std::vector<int32_t>* blockOut) {
  const int32_t n = ws.algebra(k).card;
  std::vector<int32_t> block(static_cast<size_t>(n));
  int32_t blocks = 0;
  for (int32_t i = 0; i < n; ++i) {
    const int32_t r = p[static_cast<size_t>(i)];
    block[static_cast<size_t>(i)] = (r == i) ? blocks++ : block[static_cast<size_t>(r)];
  }
  const int32_t f = createAlgebra(ws, blocks);
  if (f < 0) return -1;
  const Algebra& from = ws.algebra(k);
  Algebra& to = ws.algebra(f);
  if (allUndefined) std::fill(to.table.begin(), to.table.end(), -1);
  const TableLayout src = ws.layout(k);
  const TableLayout dst = ws.layout(f);
  auto write = [&](int64_t at, int32_t value) {
    if (value >= 0) to.table[static_cast<size_t>(at)] = block[static_cast<size_t>(value)];
  };
  for (int32_t b = 0; b < ws.sig.binaryCount; ++b) {
    for (int32_t x = 0; x < n; ++x) {
      for (int32_t y = 0; y < n; ++y) {
        write(dst.binary(b, block[static_cast<size_t>(x)], block[static_cast<size_t>(y)]),
              from.table[static_cast<size_t>(src.binary(b, x, y))]);
      }
    }
  }
  for (int32_t u = ws.sig.binaryCount; u < ws.sig.binaryCount + ws.sig.unaryCount; ++u) {
    for (int32_t x = 0; x < n; ++x)
      write(dst.unary(u, block[static_cast<size_t>(x)]), from.table[static_cast<size_t>(src.unary(u, x))]);
  }
  for (int32_t c = 0; c < ws.sig.constantCount; ++c)
    write(dst.constant(c), from.table[static_cast<size_t>(src.constant(c))]);
  if (blockOut) *blockOut = std::move(block);
  return f;
}

}  // namespace kest
