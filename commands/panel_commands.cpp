#include "commands/panel_commands.h"

#include "commands/executor.h"
#include "commands/lattice_commands.h"
#include "commands/toolbar_commands.h"

namespace kest {

namespace {

constexpr PanelCommand kPanelCommands[] = {
    {kCommandTermOrEquation, "Equation", "Input equation", 300, 'e'},
    {kCommandConjunction, "Conjunction", "Input two or more formulas", 300, '&'},
    {kCommandDisjunction, "Disjunction", "Input two or more formulas", 300, 'V'},
    {kCommandImplication, "Implication", "Input two formulas", 300, 'I'},
    {kCommandEquivalence, "Equivalence", "Input two formulas", 300, 'E'},
    {kCommandNegation, "Negation", "Input one formula", 300, 'N'},
    {kCommandNewAlgebra, "Define new algebra", "Input cardinality", 30, 'n'},
    {kCommandExtendMap, "Extend partial map to homomorphism", "Input ab cd ...", 400, 'X'},
    {kCommandSubalgebra, "Generate a subalgebra (of the red marked algebra)", "Input generators", 300, '\0'},
    {kCommandSubproduct, "Generate subalgebra of product of the two marked algebras", "Input generators like ab cd ...",
     400, '2'},
    {kCommandLinear, "Define binary op as ax+by+c", "Input  op a b c  (symbol and three numbers)", 300, 'l'},
    {kCommandGraph, "Input binary op and oriented graph to make it a conservative operation",
     "For example, input triangle as    + abca", 400, '>'},
    {kCommandOrder, "Input binary op and order relation to make it a conservative operation",
     "For example, input pentagon as    . abe acde", 400, '<'},
    {kCommandMeet, "Input order relation and binary operation to create meet semilattice",
     "For example, if #=5, input pentagon as    abe acde", 400, 'M', meetSignature},
    {kCommandJoin, "Input order relation and binary operation to create join semilattice",
     "For example, if #=3, input pentagon as    abe acde", 400, 'J', joinSignature},
    {kCommandLattice, "Input order relation to make it a lattice", "For example, input pentagon as    abe acde", 400, 'L',
     [](const Workspace& ws) { return ws.sig.latticeSignature != 0; }},
};

}  // namespace

const PanelCommand* findPanelCommand(int32_t id) {
  for (const PanelCommand& c : kPanelCommands) {
    if (c.id == id) return &c;
  }
  return nullptr;
}

bool openPanelCommand(Workspace& ws, const PanelCommand& command) {
  if (command.offered && !command.offered(ws)) return false;
  openOneFieldPanel(ws.panel, command.caption, command.prompt, command.width);
  ws.inputMode = command.mode;
  return true;
}

void submitPanel(Workspace& ws, Progress& progress) {
  ws.panel.open = false;
  executeCommand(ws, ws.inputMode, progress);
}

}  // namespace kest
