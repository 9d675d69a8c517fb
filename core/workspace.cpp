#include "core/workspace.h"

#include "core/algebra_store.h"
#include "core/limits.h"

namespace kest {

Workspace::Workspace() : integerBuffer(static_cast<size_t>(kIntegerBufferSize), 0) {
  std::string none;
  sig = buildSignature(none);
  terms.resetNodes(sig.constantCount);
  resetWorkspace(*this);
}

void resetWorkspace(Workspace& ws) {
  ws.displayedRowY = 30;
  ws.hiddenRowY = 30;
  ws.messageX = 18;
  ws.messageY = 30;
  ws.algebras.clear();
  ws.displayedCount = 0;
  ws.terms.clearTermsAndFormulas();
  ws.messages.clearMessages();
  ws.embeddingOffsetX = 0;
  ws.embeddingOffsetY = 0;
  ws.embeddingShown = 0;
  ws.latticeShown = 0;
  ws.computedLatticeShown = 0;
  ws.lastLattice = ComputedLattice{};
  ws.pendingForeignFile.reset();
  ws.space = LatticeSpace{};
  ws.polishNotation = 0;
  ws.helpShown = 0;
  ws.redMarked = -1;
  ws.greenMarked = -1;
  ws.pressMarked = 0;
  ws.helpScrollX = 0;
  ws.helpScrollY = 0;
  ws.pageScrollX = 0;
  ws.pageScrollY = 0;
  showSignaturePrompt(ws);
}

void showSignaturePrompt(Workspace& ws) {
  static const char* const kLines[] = {
      "First define the signature. It will then remain fixed.",
      "Choose symbols for operations in the signature - some of the following ones:",
      "  . + / \\ :      (binary symbols),",
      "  - * |          (unary symbols),",
      "  $ # 0 1 2 3    (constants).",
      "A binary symbol may be followed by C indicating its commutativity,",
      "and/or I indicating its idempotence. If some digits are used, tables",
      "will be displayed only for algebras with at most 52 elements.",
      "Otherwise, with at most 62.",
      "For example, to work with groupoids input   .",
      "For lattices,                               +ci .ci",
      "For rings, or Boolean algebras,             +c .c - 0 1",
  };
  InputPanel& panel = ws.panel;
  panel.labels.clear();
  panel.fields.clear();
  for (int32_t i = 0; i < 12; ++i) panel.labels.push_back({kLines[i], 10, 10 + 20 * i});
  panel.fields.push_back({"", {10, 260, 540, 278}});
  panel.currentField = 0;
  layOutPanel(panel);
  ws.inputMode = InputMode::kSignature;
}

bool awaitingSignature(const Workspace& ws) { return ws.panel.open && ws.inputMode == InputMode::kSignature; }

void parseSignature(Workspace& ws, std::string& text) {
  ws.sig = buildSignature(text);
  ws.terms.resetNodes(ws.sig.constantCount);
}

void newWorkspace(Workspace& ws) {
  ws.terms.resetNodes(ws.sig.constantCount);
  ws.terms.clearTermsAndFormulas();
  while (ws.algebraCount() > 0) deleteAlgebra(ws, ws.algebraCount() - 1);
  resetWorkspace(ws);
  ws.panel.open = false;
  std::string text = ws.signatureText;
  parseSignature(ws, text);
}

}  // namespace kest
