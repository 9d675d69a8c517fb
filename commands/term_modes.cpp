// Modes that add terms, equations and formulas built with connectives.
#include <vector>

#include "commands/executor.h"
#include "core/limits.h"
#include "core/text_routines.h"
#include "terms/formulas.h"
#include "terms/term_parse.h"

namespace kest {

namespace {

void termOrEquation(Workspace& ws, Progress&) {
  const std::string text = inputString(ws);
  if (text.find('=') != std::string::npos) {
    const EquationSides sides = parseEquation(ws, text);
    if (sides.ok()) addEquation(ws, sides.left, sides.right);
    return;
  }
  const int32_t t = parseTerm(ws, text);
  if (t < 0 || ws.terms.namedTermCount() >= kMaxNamedTerms) return;
  addNamedTerm(ws, t);
}

// The typed formula numbers, or an empty list when any is out of range.
std::vector<int32_t> formulaNumbers(const Workspace& ws) {
  std::vector<int32_t> numbers;
  readIntegerList(inputString(ws), numbers);
  for (int32_t j : numbers) {
    if (!isFormulaNumber(ws, j)) return {};
  }
  return numbers;
}

void conjunction(Workspace& ws, Progress&) {
  const std::vector<int32_t> numbers = formulaNumbers(ws);
  if (numbers.size() >= 2) addConjunction(ws, numbers);
}

void disjunction(Workspace& ws, Progress&) {
  const std::vector<int32_t> numbers = formulaNumbers(ws);
  if (numbers.size() >= 2) addDisjunction(ws, numbers);
}

void implication(Workspace& ws, Progress&) {
  const std::vector<int32_t> numbers = formulaNumbers(ws);
  if (numbers.size() == 2) addImplication(ws, numbers[0], numbers[1]);
}

void equivalence(Workspace& ws, Progress&) {
  const std::vector<int32_t> numbers = formulaNumbers(ws);
  if (numbers.size() == 2) addEquivalence(ws, numbers[0], numbers[1]);
}

void negation(Workspace& ws, Progress&) {
  const std::vector<int32_t> numbers = formulaNumbers(ws);
  if (numbers.size() == 1) addNegation(ws, numbers[0]);
}

}  // namespace

void registerTermModes(ModeTable& table) {
  table.add(InputMode::kTermOrEquation, termOrEquation);
  table.add(InputMode::kConjunction, conjunction);
  table.add(InputMode::kDisjunction, disjunction);
  table.add(InputMode::kImplication, implication);
  table.add(InputMode::kEquivalence, equivalence);
  table.add(InputMode::kNegation, negation);
}

}  // namespace kest
