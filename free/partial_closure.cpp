#include "free/partial_closure.h"

#include <utility>
#include <vector>

#include "structure/congruence_closure.h"
#include "terms/evaluation.h"
#include "terms/term_nodes.h"

namespace kest {

namespace {

using Pairs = std::vector<std::pair<int32_t, int32_t>>;

class Closure {
 public:
  Closure(Workspace& ws, int32_t k)
      : ws_(ws), k_(k), table_(ws.algebras[static_cast<size_t>(k)].table), n_(ws.algebras[static_cast<size_t>(k)].card),
        lay_(ws.layout(k)) {}

  // One cycle of the flag passes and the equation pass; returns whether an
  // entry was filled, and collects the identifications seen.
  bool cycle(Pairs& same) {
    bool filled = false;
    const Signature& sig = ws_.sig;
    for (int32_t b = 0; b < sig.binaryCount; ++b) {
      if (!sig.opCommutative[static_cast<size_t>(b)]) continue;
      for (int32_t x = 0; x < n_; ++x) {
        for (int32_t y = x + 1; y < n_; ++y) {
          int32_t& e1 = table_[static_cast<size_t>(lay_.binary(b, x, y))];
          int32_t& e2 = table_[static_cast<size_t>(lay_.binary(b, y, x))];
          if (e1 < 0 && e2 >= 0) e1 = e2, filled = true;
          else if (e1 >= 0 && e2 < 0) e2 = e1, filled = true;
          else if (e1 >= 0 && e1 != e2) same.emplace_back(e1, e2);
        }
      }
    }
    for (int32_t b = 0; b < sig.binaryCount; ++b) {
      if (!sig.opIdempotent[static_cast<size_t>(b)]) continue;
      for (int32_t x = 0; x < n_; ++x) {
        int32_t& xx = table_[static_cast<size_t>(lay_.binary(b, x, x))];
        if (xx < 0) xx = x, filled = true;
        else if (xx != x) same.emplace_back(xx, x);
      }
    }
    for (int32_t f : ws_.terms.formulaList) {
      if (ws_.terms.formulaKind[static_cast<size_t>(f)] == kEquation && n_ > 0) filled |= equation(f, same);
    }
    return filled;
  }

 private:
  // Writes the outermost entry of term t (value v) when its arguments are defined.
  bool force(int32_t t, int32_t v, const Assignment& s) {
    const TermStore& ts = ws_.terms;
    if (t < 26) return false;
    if (t < ts.firstCompoundNode) {
      table_[static_cast<size_t>(lay_.constant(t - 26))] = v;
      return true;
    }
    const int32_t op = ts.nodeOp[static_cast<size_t>(t)];
    const int32_t a = evaluateTerm(ws_, k_, ts.nodeLeft[static_cast<size_t>(t)], s);
    if (a < 0) return false;
    if (ws_.sig.opArity[static_cast<size_t>(op)] == 1) {
      table_[static_cast<size_t>(lay_.unary(op, a))] = v;
      return true;
    }
    const int32_t b = evaluateTerm(ws_, k_, ts.nodeRight[static_cast<size_t>(t)], s);
    if (b < 0) return false;
    table_[static_cast<size_t>(lay_.binary(op, a, b))] = v;
    return true;
  }

  bool equation(int32_t f, Pairs& same) {
    const TermStore& ts = ws_.terms;
    const int32_t l = ts.formulaA[static_cast<size_t>(f)];
    const int32_t r = ts.formulaB[static_cast<size_t>(f)];
    std::vector<int32_t> vars;
    for (int32_t v = 0; v < 26; ++v) {
      if (occursIn(ws_, v, l) || occursIn(ws_, v, r)) vars.push_back(v);
    }
    Assignment s;
    s.fill(-1);
    for (int32_t v : vars) s[static_cast<size_t>(v)] = 0;
    bool filled = false;
    for (;;) {
      const int32_t e1 = evaluateTerm(ws_, k_, l, s);
      const int32_t e2 = evaluateTerm(ws_, k_, r, s);
      if (e1 < 0 && e2 >= 0) filled |= force(l, e2, s);
      else if (e1 >= 0 && e2 < 0) filled |= force(r, e1, s);
      else if (e1 >= 0 && e1 != e2) same.emplace_back(e1, e2);
      int32_t i = static_cast<int32_t>(vars.size()) - 1;
      while (i >= 0 && s[static_cast<size_t>(vars[static_cast<size_t>(i)])] == n_ - 1) --i;
      if (i < 0) return filled;
      ++s[static_cast<size_t>(vars[static_cast<size_t>(i)])];
      for (size_t j = static_cast<size_t>(i) + 1; j < vars.size(); ++j) s[static_cast<size_t>(vars[j])] = 0;
    }
  }

  Workspace& ws_;
  int32_t k_;
  std::vector<int32_t>& table_;
  int32_t n_;
  TableLayout lay_;
};

}  // namespace

bool closePartialAlgebra(Workspace& ws, int32_t k, Progress& progress) {
  const int32_t n = ws.algebras[static_cast<size_t>(k)].card;
  Closure closure(ws, k);
  Pairs same;
  for (;;) {
    if (progress.stopRequested()) return false;
    same.clear();
    // A cycle that fills nothing has seen the final table throughout.
    if (!closure.cycle(same)) break;
  }
  UnionFind uf(n);
  for (const auto& [p, q] : same) uf.unite(p, q);
  Partition classes = uf.canonicalPartition();
  if (!closePartialCongruence(ws, k, classes, progress)) return false;
  ws.classOf = std::move(classes);
  return true;
}

}  // namespace kest
