// The free-algebra commands: fr1 (mode F) and fr2 (mode G) with their
// panels, and the keys x and z.
#include <string>

#include "commands/executor.h"
#include "commands/free_commands.h"
#include "core/algebra_store.h"
#include "core/element_names.h"
#include "free/free_in_hsp.h"
#include "free/free_over_partial.h"

namespace kest {

namespace {

// A decimal integer: leading blanks, an optional sign, digits.
int32_t decimal(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && value < INT32_MAX; ++i)
    value = value * 10 + (text[i] - '0');
  value = std::min<int64_t>(value, INT32_MAX);
  return static_cast<int32_t>(negative ? -value : value);
}

void freeInHspMode(Workspace& ws, Progress& progress) {
  const int32_t k = ws.redMarked;
  if (!ws.validAlgebra(k) || ws.algebra(k).card > ws.sig.maxNamedElements || !isComplete(ws, k)) {
    return;
  }
  const int32_t n = decimal(inputString(ws, 0));
  const int32_t stop = decimal(inputString(ws, 1));
  const int32_t tables = decimal(inputString(ws, 2));
  const std::string head = "The free algebra of order " + std::to_string(n) + " in HSP(A" + std::to_string(k) + ") ";
  const FreeInHspResult r = buildFreeInHSP(ws, n, k, stop, tables, progress);
  switch (r.status) {
    case FreeInHspResult::Status::kSize:
      ws.messages.setMessage(head + "has " + std::to_string(r.size) + " elements");
      break;
    case FreeInHspResult::Status::kTooMany:
      ws.messages.setMessage(head + "has more than " + std::to_string(stop) + " elements");
      break;
    case FreeInHspResult::Status::kTablesTooBig:
      ws.messages.setMessage(head + "has " + std::to_string(r.size) + " elements; its tables would exceed the " +
                             std::to_string(kMaxTableEntries) + " entries an algebra may have");
      break;
    case FreeInHspResult::Status::kTooBig:
      ws.messages.setMessage(head + "needs more memory than can be had: choose a smaller n or stop value");
      break;
    case FreeInHspResult::Status::kInterrupted: ws.messages.setMessage("Interrupted"); break;
  }
}

void freeOverPartialMode(Workspace& ws, Progress& progress) {
  if (!ws.validAlgebra(ws.redMarked)) return;
  freeOverPartialReport(ws, ws.redMarked, decimal(inputString(ws, 0)), progress);
}

}  // namespace

void freeOverPartialReport(Workspace& ws, int32_t k, int32_t limit, Progress& progress, ClosePartial close) {
  using Outcome = FreeOverPartialRun::Outcome;
  const FreeOverPartialRun run = buildFreeOverPartial(ws, k, limit, progress, close);
  switch (run.outcome) {
    case Outcome::kInterrupted: ws.messages.setMessage("Interrupted"); return;
    case Outcome::kStoreFull: ws.messages.setMessage("The store of algebras is full"); return;
    case Outcome::kNoMemory: ws.messages.setMessage("Not enough memory for this algebra"); return;
    case Outcome::kResigned: ws.messages.setMessage("Resigning: an algebra too big needed to be constructed"); return;
    case Outcome::kConstructed: break;
  }
  std::vector<std::string> lines{
      "Free algebra over A" + std::to_string(k) + " satisfying the listed equations constructed",
      "in " + std::to_string(run.steps) + " steps; largest auxiliary algebra had " + std::to_string(run.largest) +
          " elements"};
  for (size_t i = 0; i < ws.generatorImage.size(); ++i) {
    std::string line(1, nameOfElement(static_cast<int32_t>(i), ws.sig.maxNamedElements));
    line += " -> ";
    line += nameOfElement(ws.generatorImage[i], ws.sig.maxNamedElements);
    lines.push_back(std::move(line));
  }
  ws.messages.setReport(std::move(lines));
}

void stepFreeOverPartialReport(Workspace& ws, int32_t k, Progress& progress) {
  if (stepFreeOverPartial(ws, k, progress)) ws.messages.clearMessages();
}

void closeAndFactorReport(Workspace& ws, int32_t k, Progress& progress) {
  ws.messages.clearMessages();
  if (!closeAndFactor(ws, k, progress)) ws.messages.setMessage("Interrupted");
}

void registerFreeModes(ModeTable& table) {
  table.add(InputMode::kFreeInHsp, freeInHspMode);
  table.add(InputMode::kFreeOverPartial, freeOverPartialMode);
}

}  // namespace kest
