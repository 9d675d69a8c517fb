#include "terms/formulas.h"

#include "core/algebra_store.h"
#include "core/limits.h"

namespace kest {

namespace {

int32_t addPoolEntry(TermStore& ts, int32_t kind, int32_t a, int32_t b) {
  ts.formulaKind.push_back(kind);
  ts.formulaA.push_back(a);
  ts.formulaB.push_back(b);
  return ts.formulaPoolCount() - 1;
}

int32_t listedId(const TermStore& ts, int32_t j) { return ts.formulaList[static_cast<size_t>(j)]; }

void list(Workspace& ws, int32_t f) {
  ws.terms.formulaList.push_back(f);
  relayout(ws);
}

void addChain(Workspace& ws, int32_t kind, const std::vector<int32_t>& numbers) {
  if (numbers.size() < 2) return;
  TermStore& ts = ws.terms;
  int32_t f = addPoolEntry(ts, kind, listedId(ts, numbers[0]), listedId(ts, numbers[1]));
  for (size_t i = 2; i < numbers.size(); ++i) f = addPoolEntry(ts, kind, f, listedId(ts, numbers[i]));
  list(ws, f);
}

}  // namespace

void addNamedTerm(Workspace& ws, int32_t t) {
  if (ws.terms.namedTermCount() >= kMaxNamedTerms) return;
  ws.terms.namedTerms.push_back(t);
  relayout(ws);
}

void addEquation(Workspace& ws, int32_t left, int32_t right) {
  list(ws, addPoolEntry(ws.terms, kEquation, left, right));
}

void addConjunction(Workspace& ws, const std::vector<int32_t>& numbers) { addChain(ws, kConjunction, numbers); }

void addDisjunction(Workspace& ws, const std::vector<int32_t>& numbers) { addChain(ws, kDisjunction, numbers); }

void addImplication(Workspace& ws, int32_t i, int32_t j) {
  list(ws, addPoolEntry(ws.terms, kImplication, listedId(ws.terms, i), listedId(ws.terms, j)));
}

void addEquivalence(Workspace& ws, int32_t i, int32_t j) {
  list(ws, addPoolEntry(ws.terms, kEquivalence, listedId(ws.terms, i), listedId(ws.terms, j)));
}

void addNegation(Workspace& ws, int32_t i) { list(ws, addPoolEntry(ws.terms, kNegation, listedId(ws.terms, i), 0)); }

void deleteNamedTerm(Workspace& ws, int32_t i) {
  if (i < 0 || i >= ws.terms.namedTermCount()) return;
  ws.terms.namedTerms.erase(ws.terms.namedTerms.begin() + i);
  relayout(ws);
  ws.messages.clearMessages();
}

void deleteFormula(Workspace& ws, int32_t j) {
  if (j < 0 || j >= ws.terms.formulaListCount()) return;
  ws.terms.formulaList.erase(ws.terms.formulaList.begin() + j);
  relayout(ws);
  ws.messages.clearMessages();
}

}  // namespace kest
