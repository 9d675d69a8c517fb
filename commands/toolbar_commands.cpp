#include "commands/toolbar_commands.h"

#include "commands/con_sub_commands.h"
#include "commands/executor.h"
#include "commands/free_commands.h"
#include "commands/lattice_commands.h"
#include "commands/panel_commands.h"
#include "commands/structure_commands.h"

namespace kest {

const std::vector<ToolbarButton>& toolbarButtons() {
  static const std::vector<ToolbarButton> buttons = {
      {kCommandHelp, "Help", "help", false, true},
      {kCommandInfo, "Info", "info", false, true},
      {kCommandNotation, "Binary symbols at the front / inside", "F", false, true},
      {kCommandDrawLattice, "Draw algebra if it is a lattice", "D", false, true},
      {kCommandDrawEmbedding, "Embeddability of a lattice into another lattice", "Ediamond", false, true},
      {kCommandEmbed, "Embeddability of an algebra into another algebra", "E", false, false},
      {kCommandExtendMap, "Extend partial map to homomorphism", "X", false, false},
      {kCommandNew, "New", "new", false, false},
      {kCommandOpen, "Open", "open", false, false},
      {kCommandSaveAs, "Save as", "save", false, false},
      {kCommandTermOrEquation, "Input term or equation", "=", true, false},
      {kCommandConjunction, "Conjunction", "&", false, false},
      {kCommandDisjunction, "Disjunction", "V", false, false},
      {kCommandImplication, "Implication", "->", false, false},
      {kCommandEquivalence, "Equivalence", "<->", false, false},
      {kCommandNegation, "Negation", "!", false, false},
      {kCommandNewAlgebra, "Input Card for a new algebra", "#", true, false},
      {kCommandLinear, "Define binary operation by linear expression", "2x-y", false, false},
      {kCommandGraph, "Define conservative binary operation by graph", "triangle", false, false},
      {kCommandOrder, "Conservative binary order operation", "leq", false, false},
      {kCommandMeet, "Define meet operation", "meet", false, false},
      {kCommandJoin, "Define join operation", "join", false, false},
      {kCommandLattice, "Define lattice by its order relation", "diamond", false, false},
      {kCommandGlue, "Glued ordinal sum of two lattices", "diamonds", false, false},
      {kCommandSubalgebra, "Generate subalgebra", "sub", true, false},
      {kCommandProduct, " Product of two algebras", "Pi", false, false},
      {kCommandSubproduct, " Subalgebra of product of 2 algebras", "Pi2", false, false},
      {kCommandFreeOverPartial, "Free algebra over partial algebra and listed equations", "fr1", true, false},
      {kCommandFreeInHsp, "Build free algebra with n generators in HSP(A)", "fr2", false, false},
      {kCommandCongruenceLattice, "Congruence lattice Con(A) of the red marked algebra", "Con", true, false},
      {kCommandSubuniverseLattice, "Subalgebra lattice Sub(A) of the red marked algebra", "Sub", false, false},
      {kCommandComputedLatticePage, "Draw the last Con(A) or Sub(A)", "HasseCS", false, true},
  };
  return buttons;
}

Repaint runToolbarCommand(Workspace& ws, int32_t id, Progress& progress) {
  // Before the signature is entered only Help and Info open: any other
  // command would take the prompt away and leave a signature never chosen.
  if (awaitingSignature(ws) && id != kCommandHelp && id != kCommandInfo) return Repaint::nothing();
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
    case kCommandNotation:
      ws.polishNotation = !ws.polishNotation;
      return Repaint::whole();
    case kCommandDrawLattice:
      if (!ws.helpShown && !ws.infoShown && !ws.embeddingShown) ws.latticeShown = !ws.latticeShown;
      return Repaint::whole();
    case kCommandDrawEmbedding:
      ws.embeddingOffsetX = 0;
      ws.embeddingOffsetY = 0;
      if (!ws.helpShown && !ws.infoShown) ws.embeddingShown = !ws.embeddingShown;
      return Repaint::whole();
    case kCommandNew:
      newWorkspace(ws);
      return Repaint::whole();
    case kCommandEmbed:
      if (ws.helpShown || ws.infoShown || ws.latticeShown || ws.embeddingShown) return Repaint::whole();
      embedMarkedAlgebras(ws, progress);
      return Repaint::whole();
    case kCommandFreeOverPartial:
      openFreeOverPartialPanel(ws);
      return Repaint::whole();
    case kCommandFreeInHsp:
      openFreeInHspPanel(ws);
      return Repaint::whole();
    case kCommandCongruenceLattice:
      openCongruenceLatticePanel(ws);
      return Repaint::whole();
    case kCommandSubuniverseLattice:
      openSubuniverseLatticePanel(ws);
      return Repaint::whole();
    case kCommandComputedLatticePage:
      if (!ws.helpShown && !ws.infoShown && !ws.latticeShown && !ws.embeddingShown) {
        ws.computedLatticeShown = !ws.computedLatticeShown;
      }
      return Repaint::whole();
    case kCommandGlue:
      glueMarkedLattices(ws);
      return Repaint::whole();
    case kCommandProduct:
      executeCommand(ws, 'p', progress);
      return Repaint::whole();
    default:
      break;
  }
  if (const PanelCommand* command = findPanelCommand(id)) {
    return openPanelCommand(ws, *command) ? Repaint::whole() : Repaint::nothing();
  }
  // The commands of later constructions, and Open and Save As, which the
  // front end runs with a file name.
  return Repaint::nothing();
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
