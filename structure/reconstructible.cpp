#include "structure/reconstructible.h"

#include <algorithm>
#include <array>
#include <string>

#include "core/algebra_store.h"
#include "core/element_names.h"
#include "core/limits.h"
#include "terms/evaluation.h"
#include "terms/satisfaction.h"

namespace kest {

namespace {

// Whether the formula's terms use the operation anywhere.
bool formulaUsesOperation(const Workspace& ws, int32_t f, int32_t op) {
  const TermStore& ts = ws.terms;
  std::vector<int32_t> formulas{f};
  std::vector<int32_t> nodes;
  while (!formulas.empty()) {
    const int32_t g = formulas.back();
    formulas.pop_back();
    const int32_t kind = ts.formulaKind[static_cast<size_t>(g)];
    if (kind == kEquation) {
      nodes.push_back(ts.formulaA[static_cast<size_t>(g)]);
      nodes.push_back(ts.formulaB[static_cast<size_t>(g)]);
    } else {
      formulas.push_back(ts.formulaA[static_cast<size_t>(g)]);
      if (kind != kNegation) formulas.push_back(ts.formulaB[static_cast<size_t>(g)]);
    }
  }
  while (!nodes.empty()) {
    const int32_t t = nodes.back();
    nodes.pop_back();
    if (t < ts.firstCompoundNode) continue;
    const int32_t o = ts.nodeOp[static_cast<size_t>(t)];
    if (o == op) return true;
    nodes.push_back(ts.nodeLeft[static_cast<size_t>(t)]);
    if (ws.sig.opArity[static_cast<size_t>(o)] == 2) nodes.push_back(ts.nodeRight[static_cast<size_t>(t)]);
  }
  return false;
}

// The variables of formula f, when there are at most four of them.
std::vector<int32_t> fewVariables(const Workspace& ws, int32_t f) {
  std::vector<int32_t> vars;
  for (int32_t v = 0; v < kVariableCount; ++v) {
    if (formulaUsesVariable(ws, v, f)) vars.push_back(v);
  }
  if (vars.size() > 4) vars.clear();
  return vars;
}

// Whether f fails at an assignment of its variables to the arguments of
// the changed place and its new value. A formula that held before the
// change can fail only where the place is read, so a failure is often
// found here at once; none found proves nothing, and the full check
// follows. Only a real failure is ever reported, so verdicts are those of
// the full check.
bool failsNearPlace(const Workspace& ws, int32_t k, int32_t f, const std::vector<int32_t>& vars,
                    const std::array<int32_t, 3>& near) {
  if (vars.empty()) return false;
  Assignment s;
  s.fill(-1);
  std::vector<int32_t> digit(vars.size(), 0);
  for (;;) {
    for (size_t i = 0; i < vars.size(); ++i) s[static_cast<size_t>(vars[i])] = near[static_cast<size_t>(digit[i])];
    if (!formulaTruth(ws, k, f, s)) return true;
    size_t i = 0;
    while (i < digit.size() && digit[i] == 2) digit[i++] = 0;
    if (i == digit.size()) return false;
    ++digit[i];
  }
}

}  // namespace

Reconstruction reconstructiblePlaces(Workspace& ws, int32_t k, Progress& progress) {
  Reconstruction result;
  if (ws.sig.binaryCount == 0 || !isComplete(ws, k)) return result;
  Assignment s;
  std::vector<int32_t> affected;  // only these can change when a place of the first table does
  for (int32_t f : ws.terms.formulaList) {
    const Verdict v = satisfies(ws, k, f, s, progress);
    if (v == Verdict::kInterrupted) {
      result.interrupted = true;
      return result;
    }
    if (v == Verdict::kNotSatisfied) return result;
    if (formulaUsesOperation(ws, f, 0)) affected.push_back(f);
  }
  const int32_t n = ws.algebra(k).card;
  std::vector<std::vector<int32_t>> vars(ws.terms.formulaPoolCount());
  for (int32_t f : affected) vars[static_cast<size_t>(f)] = fewVariables(ws, f);
  std::vector<uint8_t> marks(static_cast<size_t>(n) * n, 1);
  std::vector<int32_t>& table = ws.algebra(k).table;
  for (int32_t place = 0; place < n * n; ++place) {
    const int32_t v = table[static_cast<size_t>(place)];
    for (int32_t w = 0; w < n && marks[static_cast<size_t>(place)]; ++w) {
      if (w == v) continue;
      table[static_cast<size_t>(place)] = w;
      const std::array<int32_t, 3> near{place / n, place % n, w};
      if (std::any_of(affected.begin(), affected.end(),
                      [&](int32_t f) { return failsNearPlace(ws, k, f, vars[static_cast<size_t>(f)], near); })) {
        continue;
      }
      bool all = true;
      for (size_t i = 0; i < affected.size(); ++i) {
        const int32_t f = affected[i];
        const Verdict verdict = satisfies(ws, k, f, s, progress);
        if (verdict == Verdict::kInterrupted) {
          table[static_cast<size_t>(place)] = v;
          result.interrupted = true;
          return result;
        }
        if (verdict == Verdict::kNotSatisfied) {
          // The formula that failed is tried first next time: the verdict
          // (all hold, or not) does not depend on the order.
          std::rotate(affected.begin(), affected.begin() + static_cast<std::ptrdiff_t>(i),
                      affected.begin() + static_cast<std::ptrdiff_t>(i) + 1);
          all = false;
          break;
        }
      }
      if (all) marks[static_cast<size_t>(place)] = 0;
    }
    table[static_cast<size_t>(place)] = v;
  }
  result.marks = std::move(marks);
  return result;
}

}  // namespace kest
