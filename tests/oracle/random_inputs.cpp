#include "tests/oracle/random_inputs.h"

#include "core/algebra_store.h"
#include "terms/formulas.h"
#include "terms/term_nodes.h"
#include "terms/term_parse.h"

namespace kest::oracle {

Workspace workspaceWithSignature(const std::string& text) {
  Workspace ws;
  ws.signatureText = text;
  std::string copy = text;
  parseSignature(ws, copy);
  ws.panel.open = false;
  return ws;
}

int32_t addRandomAlgebra(Workspace& ws, int32_t n, double undefinedShare, std::mt19937& rng) {
  const int32_t k = createAlgebra(ws, n);
  Algebra& a = ws.algebra(k);
  std::uniform_real_distribution<double> coin(0.0, 1.0);
  auto entry = [&]() -> int32_t {
    if (n == 0 || coin(rng) < undefinedShare) return -1;
    return std::uniform_int_distribution<int32_t>(0, n - 1)(rng);
  };
  const TableLayout lay = ws.layout(k);
  for (int32_t b = 0; b < ws.sig.binaryCount; ++b) {
    for (int32_t x = 0; x < n; ++x) {
      for (int32_t y = 0; y < n; ++y) {
        if (ws.sig.opCommutative[b] && y < x) {
          a.table[lay.binary(b, x, y)] = a.table[lay.binary(b, y, x)];
        } else if (!(ws.sig.opIdempotent[b] && x == y)) {
          a.table[lay.binary(b, x, y)] = entry();
        }
      }
    }
  }
  for (int64_t i = lay.unary(ws.sig.binaryCount, 0); i < lay.size(); ++i) a.table[i] = entry();
  return k;
}

int32_t randomTerm(Workspace& ws, int32_t variables, int32_t size, std::mt19937& rng, int32_t stride) {
  std::uniform_int_distribution<int32_t> pick(0, 1 << 20);
  if (size <= 0) {
    const int32_t atoms = variables + ws.sig.constantCount;
    const int32_t r = pick(rng) % atoms;
    return r < variables ? r * stride : 26 + (r - variables);
  }
  const int32_t op = pick(rng) % (ws.sig.binaryCount + ws.sig.unaryCount);
  if (ws.sig.opArity[op] == 1) return makeNode(ws, op, randomTerm(ws, variables, size - 1, rng, stride), 0);
  const int32_t leftSize = pick(rng) % size;
  const int32_t l = randomTerm(ws, variables, leftSize, rng, stride);
  const int32_t r = randomTerm(ws, variables, size - 1 - leftSize, rng, stride);
  return makeNode(ws, op, l, r);
}

bool addEquationText(Workspace& ws, const char* text) {
  const EquationSides s = parseEquation(ws, text);
  if (!s.ok()) return false;
  addEquation(ws, s.left, s.right);
  return true;
}

int32_t randomFormula(Workspace& ws, int32_t variables, int32_t depth, std::mt19937& rng) {
  std::uniform_int_distribution<int32_t> pick(0, 5);
  const int32_t kind = depth <= 0 ? 0 : pick(rng);
  if (kind == kEquation) {
    std::uniform_int_distribution<int32_t> size(0, 4);
    const int32_t l = randomTerm(ws, variables, size(rng), rng);
    const int32_t r = randomTerm(ws, variables, size(rng), rng);
    addEquation(ws, l, r);
  } else if (kind == kNegation) {
    randomFormula(ws, variables, depth - 1, rng);
    addNegation(ws, ws.terms.formulaListCount() - 1);
  } else {
    randomFormula(ws, variables, depth - 1, rng);
    randomFormula(ws, variables, depth - 1, rng);
    const int32_t j = ws.terms.formulaListCount();
    if (kind == kConjunction)
      addConjunction(ws, {j - 2, j - 1});
    else if (kind == kDisjunction)
      addDisjunction(ws, {j - 2, j - 1});
    else if (kind == kImplication)
      addImplication(ws, j - 2, j - 1);
    else
      addEquivalence(ws, j - 2, j - 1);
  }
  return ws.terms.formulaList.back();
}

int32_t addCyclicGroupWithLaws(Workspace& ws, int32_t n) {
  const int32_t k = createAlgebra(ws, n);
  std::vector<int32_t>& t = ws.algebra(k).table;
  for (int32_t x = 0; x < n; ++x) {
    for (int32_t y = 0; y < n; ++y) t[static_cast<size_t>(x) * n + y] = (x + y) % n;
    t[static_cast<size_t>(n) * n + x] = (n - x) % n;
  }
  t.back() = 0;
  for (const char* e : {"(x+y)+z=x+(y+z)", "x+$=x", "x+-x=$"}) addEquationText(ws, e);
  return k;
}

}  // namespace kest::oracle
