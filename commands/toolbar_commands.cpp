#include "commands/toolbar_commands.h"

#include "commands/computed_lattice_page.h"
#include "commands/condition_commands.h"
#include "commands/executor.h"
#include "commands/lattice_commands.h"
#include "commands/panel_commands.h"
#include "commands/structure_commands.h"

namespace kest {

const std::vector<ToolbarButton>& toolbarButtons() {
  using M = InputMode;
  static const std::vector<ToolbarButton> buttons = {
      {kCommandHelp, "Help", "help", false, true},
      {kCommandInfo, "Info", "info", false, true},
      {kCommandNotation, "Binary symbols at the front / inside", "F", false, true},
      {kCommandDrawLattice, "Draw algebra if it is a lattice", "D", false, true},
      {kCommandDrawEmbedding, "Embeddability of a lattice into another lattice", "Ediamond", false, true},
      {kCommandEmbed, "Embeddability of an algebra into another algebra", "E", false, false},
      {kCommandExtendMap, "Extend partial map to homomorphism", "X", false, false, true, M::kExtendMap},
      {kCommandNew, "New", "new", false, false},
      {kCommandOpen, "Open", "open", false, false},
      {kCommandSaveAs, "Save as", "save", false, false},
      {kCommandTermOrEquation, "Input term or equation", "=", true, false, true, M::kTermOrEquation},
      {kCommandConjunction, "Conjunction", "&", false, false, true, M::kConjunction},
      {kCommandDisjunction, "Disjunction", "V", false, false, true, M::kDisjunction},
      {kCommandImplication, "Implication", "->", false, false, true, M::kImplication},
      {kCommandEquivalence, "Equivalence", "<->", false, false, true, M::kEquivalence},
      {kCommandNegation, "Negation", "!", false, false, true, M::kNegation},
      {kCommandNewAlgebra, "Input Card for a new algebra", "#", true, false, true, M::kNewAlgebra},
      {kCommandLinear, "Define binary operation by linear expression", "2x-y", false, false, true, M::kLinear},
      {kCommandGraph, "Define conservative binary operation by graph", "triangle", false, false, true, M::kGraph},
      {kCommandOrder, "Conservative binary order operation", "leq", false, false, true, M::kOrder},
      {kCommandMeet, "Define meet operation", "meet", false, false, true, M::kMeet},
      {kCommandJoin, "Define join operation", "join", false, false, true, M::kJoin},
      {kCommandLattice, "Define lattice by its order relation", "diamond", false, false, true, M::kLattice},
      {kCommandGlue, "Glued ordinal sum of two lattices", "diamonds", false, false},
      {kCommandSubalgebra, "Generate subalgebra", "sub", true, false, true, M::kSubalgebra},
      {kCommandProduct, " Product of two algebras", "Pi", false, false},
      {kCommandSubproduct, " Subalgebra of product of 2 algebras", "Pi2", false, false, true, M::kSubproduct},
      {kCommandFreeOverPartial, "Free algebra over partial algebra and listed equations", "fr1", true, false, true,
       M::kFreeOverPartial},
      {kCommandFreeInHsp, "Build free algebra with n generators in HSP(A)", "fr2", false, false, true, M::kFreeInHsp},
      {kCommandCongruenceLattice, "Congruence lattice Con(A) of the red marked algebra", "Con", true, false, true,
       M::kCongruenceLattice},
      {kCommandSubuniverseLattice, "Subalgebra lattice Sub(A) of the red marked algebra", "Sub", false, false, true,
       M::kSubuniverseLattice},
      {kCommandComputedLatticePage, "Draw the last Con(A) or Sub(A)", "HasseCS", false, true},
  };
  return buttons;
}

const ToolbarButton* findToolbarButton(int32_t id) {
  for (const ToolbarButton& b : toolbarButtons()) {
    if (b.id == id) return &b;
  }
  return nullptr;
}

Repaint runToolbarCommand(Workspace& ws, int32_t id, Progress& progress) {
  // Before the signature is entered only Help and Info open: any other
  // command would take the prompt away and leave a signature never chosen.
  if (awaitingSignature(ws) && id != kCommandHelp && id != kCommandInfo) return Repaint::nothing();
  if (const ToolbarButton* button = findToolbarButton(id); button && button->opensPanel) {
    return openPanel(ws, button->panel) ? Repaint::whole() : Repaint::nothing();
  }
  switch (id) {
    case kCommandHelp:
      ws.helpShown = !ws.helpShown;
      ws.embeddingShown = 0;
      ws.infoShown = 0;
      return Repaint::whole();
    case kCommandInfo:
      ws.infoShown = !ws.infoShown;
      ws.embeddingShown = 0;
      ws.helpShown = 0;
      return Repaint::whole();
    case kCommandNotation: ws.polishNotation = !ws.polishNotation; return Repaint::whole();
    case kCommandDrawLattice:
      if (!ws.helpShown && !ws.infoShown && !ws.embeddingShown) ws.latticeShown = !ws.latticeShown;
      return Repaint::whole();
    case kCommandDrawEmbedding:
      ws.embeddingOffsetX = 0;
      ws.embeddingOffsetY = 0;
      if (!ws.helpShown && !ws.infoShown) ws.embeddingShown = !ws.embeddingShown;
      return Repaint::whole();
    case kCommandNew: newWorkspace(ws); return Repaint::whole();
    case kCommandEmbed:
      if (ws.helpShown || ws.infoShown || ws.latticeShown || ws.embeddingShown) return Repaint::whole();
      embedMarkedAlgebras(ws, progress);
      return Repaint::whole();
    case kCommandComputedLatticePage: toggleComputedLatticePage(ws, progress); return Repaint::whole();
    case kCommandShowLatticeDiagram: showComputedLatticePage(ws, progress); return Repaint::whole();
    case kCommandGlue: glueMarkedLattices(ws); return Repaint::whole();
    case kCommandProduct: executeCommand(ws, InputMode::kProduct, progress); return Repaint::whole();
    default:
      if (const ConditionInfo* condition = conditionOfCommand(id)) {
        runConditionCommand(ws, condition->condition, progress);
        return Repaint::whole();
      }
      // Open and Save As, which the front end runs with a file name.
      return Repaint::nothing();
  }
}

bool toolbarChecked(const Workspace& ws, int32_t id) {
  switch (id) {
    case kCommandHelp: return ws.helpShown != 0;
    case kCommandInfo: return ws.infoShown != 0;
    case kCommandNotation: return ws.polishNotation != 0;
    case kCommandDrawLattice: return ws.latticeShown != 0;
    case kCommandDrawEmbedding: return ws.embeddingShown != 0;
    case kCommandComputedLatticePage: return ws.computedLatticeShown != 0;
    default: return false;
  }
}

}  // namespace kest
