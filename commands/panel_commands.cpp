#include "commands/panel_commands.h"

#include "commands/executor.h"
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
};

}  // namespace

const PanelCommand* findPanelCommand(int32_t id) {
  for (const PanelCommand& c : kPanelCommands) {
    if (c.id == id) return &c;
  }
  return nullptr;
}

void openPanelCommand(Workspace& ws, const PanelCommand& command) {
  openOneFieldPanel(ws.panel, command.caption, command.prompt, command.width);
  ws.inputMode = command.mode;
}

void submitPanel(Workspace& ws, Progress& progress) {
  ws.panel.open = false;
  executeCommand(ws, ws.inputMode, progress);
}

}  // namespace kest
