#include "free/partial_closure.h"

#include <utility>
#include <vector>

#include "structure/congruence_closure.h"
#include "terms/equation_sweep.h"

namespace kest {

namespace {

class Closure {
 public:
  Closure(Workspace& ws, int32_t k)
      : ws_(ws), table_(ws.algebra(k).table), n_(ws.algebra(k).card), lay_(ws.layout(k)), sweep_(ws, k) {}

  // One cycle of the flag passes and the equation pass; returns whether an
  // entry was filled, and joins the identifications seen in same (a union-
  // find rather than a list of pairs: a cycle over a large table may see
  // billions of them).
  bool cycle(UnionFind& same, Progress& progress) {
    bool filled = false;
    const Signature& sig = ws_.sig;
    for (int32_t b = 0; b < sig.binaryCount; ++b) {
      if (!sig.opCommutative[static_cast<size_t>(b)]) continue;
      for (int32_t x = 0; x < n_; ++x) {
        for (int32_t y = x + 1; y < n_; ++y) {
          int32_t& e1 = table_[static_cast<size_t>(lay_.binary(b, x, y))];
          int32_t& e2 = table_[static_cast<size_t>(lay_.binary(b, y, x))];
          if (e1 < 0 && e2 >= 0)
            e1 = e2, filled = true;
          else if (e1 >= 0 && e2 < 0)
            e2 = e1, filled = true;
          else if (e1 >= 0 && e1 != e2)
            same.unite(e1, e2);
        }
      }
    }
    for (int32_t b = 0; b < sig.binaryCount; ++b) {
      if (!sig.opIdempotent[static_cast<size_t>(b)]) continue;
      for (int32_t x = 0; x < n_; ++x) {
        int32_t& xx = table_[static_cast<size_t>(lay_.binary(b, x, x))];
        if (xx < 0)
          xx = x, filled = true;
        else if (xx != x)
          same.unite(xx, x);
      }
    }
    // Equations: writes are filled entries, two defined sides that differ
    // are identifications.
    struct Collect final : SweepHooks {
      UnionFind& same;
      bool filled = false;
      explicit Collect(UnionFind& s) : same(s) {}
      bool bothDefined(int32_t e1, int32_t e2) override {
        if (e1 != e2) same.unite(e1, e2);
        return true;
      }
      void wrote(int32_t, int32_t, int32_t) override { filled = true; }
    } collect(same);
    for (int32_t f : ws_.terms.formulaList) {
      if (ws_.terms.formulaKind[static_cast<size_t>(f)] == kEquation && n_ > 0) sweep_.run(f, collect, false, progress);
      if (progress.stopped()) return false;
    }
    return filled || collect.filled;
  }

 private:
  Workspace& ws_;
  std::vector<int32_t>& table_;
  int32_t n_;
  TableLayout lay_;
  EquationSweep sweep_;
};

}  // namespace

bool closePartialAlgebra(Workspace& ws, int32_t k, Progress& progress) {
  const int32_t n = ws.algebra(k).card;
  // A stop puts the table back as it was.
  std::vector<int32_t> before = ws.algebra(k).table;
  auto stopped = [&] {
    ws.algebra(k).table = std::move(before);
    return false;
  };
  Closure closure(ws, k);
  for (;;) {
    if (progress.stopRequested()) return stopped();
    // A cycle that fills nothing has seen the final table throughout; its
    // identifications are the ones that count.
    UnionFind same(n);
    const bool filled = closure.cycle(same, progress);
    if (progress.stopped()) return stopped();
    if (filled) continue;
    Partition classes = same.canonicalPartition();
    if (!closePartialCongruence(ws.view(k), classes, progress)) return stopped();
    ws.classOf = std::move(classes);
    return true;
  }
}

}  // namespace kest
