// The signature prompt and the new-algebra mode.
#include "commands/executor.h"
#include "core/algebra_store.h"
#include "core/limits.h"
#include "core/text_routines.h"

namespace kest {

namespace {

void signature(Workspace& ws, Progress&) {
  ws.signatureText = inputString(ws);
  std::string text = ws.signatureText;
  parseSignature(ws, text);
  if (!ws.panel.fields.empty()) ws.panel.fields[0].text = text;
}

void newAlgebra(Workspace& ws, Progress&) {
  const int32_t n = readInteger(inputString(ws));
  if (n >= kMinNewCardinality && n <= kMaxNewCardinality) createAlgebra(ws, n);
}

}  // namespace

void registerSignatureModes(ModeTable& table) { table.add(InputMode::kSignature, signature); }

void registerAlgebraModes(ModeTable& table) { table.add(InputMode::kNewAlgebra, newAlgebra); }

}  // namespace kest
