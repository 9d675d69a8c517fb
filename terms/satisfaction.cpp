#include "terms/satisfaction.h"

#include "core/algebra_store.h"

namespace kest {

std::vector<int32_t> occurringVariables(const Workspace& ws, int32_t f) {
  std::vector<int32_t> vars;
  for (int32_t v = 0; v < kVariableCount; ++v) {
    if (formulaUsesVariable(ws, v, f)) vars.push_back(v);
  }
  return vars;
}

Verdict satisfies(const Workspace& ws, int32_t k, int32_t f, Assignment& s, Progress& progress) {
  s.fill(-1);
  const std::vector<int32_t> vars = occurringVariables(ws, f);
  for (int32_t v : vars) s[static_cast<size_t>(v)] = 0;
  const TermStore& ts = ws.terms;
  const bool equation = ts.formulaKind[static_cast<size_t>(f)] == kEquation;
  if (vars.empty()) {
    if (!equation) return formulaTruth(ws, k, f, s) ? Verdict::kSatisfied : Verdict::kNotSatisfied;
    const int32_t l = evaluateTerm(ws, k, ts.formulaA[static_cast<size_t>(f)], s);
    const int32_t r = evaluateTerm(ws, k, ts.formulaB[static_cast<size_t>(f)], s);
    return (l >= 0 && l == r) ? Verdict::kSatisfied : Verdict::kNotSatisfied;
  }
  if (ws.algebra(k).card == 0) return Verdict::kSatisfied;
  FormulaProgram program(ws, k, f, vars);
  return program.run(s, progress);
}

SatisfactionResult checkListedFormulas(const Workspace& ws, int32_t k, Progress& progress) {
  SatisfactionResult result;
  if (!isComplete(ws, k)) {
    result.incomplete = true;
    return result;
  }
  for (int32_t f : ws.terms.formulaList) {
    FormulaCheck check;
    const Verdict v = satisfies(ws, k, f, check.counterexample, progress);
    if (v == Verdict::kInterrupted) {
      result.interrupted = true;
      return result;
    }
    check.satisfied = v == Verdict::kSatisfied;
    result.checks.push_back(check);
  }
  return result;
}

}  // namespace kest
