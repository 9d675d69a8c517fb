#include "commands/formula_reports.h"

#include "core/element_names.h"
#include "structure/reconstructible.h"
#include "terms/completion.h"

namespace kest {

std::vector<std::string> satisfactionLines(const Workspace& ws, const SatisfactionResult& result) {
  std::vector<std::string> lines;
  for (size_t j = 0; j < result.checks.size(); ++j) {
    std::string line = "E" + std::to_string(j) + (j < 10 ? "  " : " ");
    const FormulaCheck& check = result.checks[j];
    if (check.satisfied) {
      line += " satisfied";
    } else {
      line += " not satisfied: ";
      for (int32_t v = 0; v < kVariableCount; ++v) {
        const int32_t value = check.counterexample[static_cast<size_t>(v)];
        if (value < 0) continue;
        line += static_cast<char>('a' + v);
        line += '=';
        appendElementText(line, value, ws.sig.maxNamedElements);
        line += ' ';
      }
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

void satisfactionReport(Workspace& ws, int32_t k, Progress& progress) {
  const SatisfactionResult result = checkListedFormulas(ws, k, progress);
  if (result.incomplete)
    ws.messages.setMessage("This works only for complete algebras");
  else if (result.interrupted)
    ws.messages.setMessage("Interrupted");
  else
    ws.messages.setReport(satisfactionLines(ws, result));
}

void completionReport(Workspace& ws, int32_t k, Progress& progress) {
  switch (completeByEquations(ws, k, progress)) {
    case CompletionResult::kOk: ws.messages.setMessage("Last input O.K."); break;
    case CompletionResult::kContradictory: ws.messages.setMessage("Last input contradictory"); break;
    case CompletionResult::kInterrupted: ws.messages.setMessage("Interrupted"); break;
  }
}

void reconstructionReport(Workspace& ws, int32_t k, Progress& progress) {
  const Reconstruction r = reconstructiblePlaces(ws, k, progress);
  if (r.interrupted) {
    ws.messages.setMessage("Interrupted");
    return;
  }
  if (!r.marks) {
    ws.messages.clearMessages();
    return;
  }
  const int32_t n = ws.algebra(k).card;
  int32_t count = 0;
  for (uint8_t m : *r.marks) count += m;
  auto places = [&](uint8_t which) {
    std::string line;
    for (int32_t p = 0; p < n * n; ++p) {
      if ((*r.marks)[static_cast<size_t>(p)] != which) continue;
      appendElementText(line, p / n, ws.sig.maxNamedElements);
      appendElementText(line, p % n, ws.sig.maxNamedElements);
      line += ' ';
    }
    return line;
  };
  if (count == n * n)
    ws.messages.setMessage("All places are reconstructible");
  else if (count == 0)
    ws.messages.setMessage("There are no reconstructible places");
  else if (count > n * n / 2)
    ws.messages.setReport({"All places are reconstructible except these:", places(0)});
  else
    ws.messages.setReport({"The following are the reconstructible places:", places(1)});
}

}  // namespace kest
