#include "commands/panel_commands.h"

#include <string>

#include "commands/executor.h"

namespace kest {

namespace {

bool latticeSignature(const Workspace& ws) { return ws.sig.latticeSignature != 0; }

constexpr PanelEntry kPanels[] = {
    {InputMode::kTermOrEquation, "Equation", {{{"Input equation", 300}}}},
    {InputMode::kConjunction, "Conjunction", {{{"Input two or more formulas", 300}}}},
    {InputMode::kDisjunction, "Disjunction", {{{"Input two or more formulas", 300}}}},
    {InputMode::kImplication, "Implication", {{{"Input two formulas", 300}}}},
    {InputMode::kEquivalence, "Equivalence", {{{"Input two formulas", 300}}}},
    {InputMode::kNegation, "Negation", {{{"Input one formula", 300}}}},
    {InputMode::kNewAlgebra, "Define new algebra", {{{"Input cardinality", 30}}}},
    {InputMode::kExtendMap, "Extend partial map to homomorphism", {{{"Input ab cd ...", 400}}}},
    {InputMode::kSubalgebra, "Generate a subalgebra (of the red marked algebra)", {{{"Input generators", 300}}}},
    {InputMode::kSubproduct,
     "Generate subalgebra of product of the two marked algebras",
     {{{"Input generators like ab cd ...", 400}}}},
    {InputMode::kLinear, "Define binary op as ax+by+c", {{{"Input  op a b c  (symbol and three numbers)", 300}}}},
    {InputMode::kGraph,
     "Input binary op and oriented graph to make it a conservative operation",
     {{{"For example, input triangle as    + abca", 400}}}},
    {InputMode::kOrder,
     "Input binary op and order relation to make it a conservative operation",
     {{{"For example, input pentagon as    . abe acde", 400}}}},
    {InputMode::kMeet,
     "Input order relation and binary operation to create meet semilattice",
     {{{"For example, if #=5, input pentagon as    abe acde", 400}}},
     meetSignature},
    {InputMode::kJoin,
     "Input order relation and binary operation to create join semilattice",
     {{{"For example, if #=3, input pentagon as    abe acde", 400}}},
     joinSignature},
    {InputMode::kLattice,
     "Input order relation to make it a lattice",
     {{{"For example, input pentagon as    abe acde", 400}}},
     latticeSignature},
    {InputMode::kFreeOverPartial,
     "Try to build free algebra over A%d satisfying listed equations",
     {{{"Input maximal allowed cardinality for intermediate algebras", 60, Preset::kNamedElements}}}},
    {InputMode::kFreeInHsp,
     "Try to build free algebra with n generators in HSP(A%d)",
     {{{"Input n", 30},
       {"Stop building if the algebra turns out to be of card more than", 100, Preset::kThousand},
       {"Build tables for the algebra if its card is at most", 100, Preset::kNamedElements}}}},
    {InputMode::kLines, "Input binary op and lines forming BL-space", {{{"For example,  . acb aed", 400}}}},
    {InputMode::kCongruence, "Generate congruence", {{{"Input generating pairs", 400}}}},
    {InputMode::kFactor, "Factor algebra by a congruence", {{{"Input generating pairs", 400}}}},
    {InputMode::kSubuniverse, "Generate subuniverse", {{{"Input generators", 200}}}},
    {InputMode::kCongruenceLattice,
     "Congruence lattice of A%d",
     {{{"Stop if Con(A) has more than", 100, Preset::kLatticeStop}}}},
    {InputMode::kSubuniverseLattice,
     "Subalgebra lattice of A%d",
     {{{"Stop if Sub(A) has more than", 100, Preset::kLatticeStop}}}},
    {InputMode::kPermutableTest, "n-permutability of A%d", {{{"Largest n", 60, Preset::kTen}}}},
    {InputMode::kDistributiveTest, "Jonsson terms of A%d", {{{"Largest n", 60, Preset::kTen}}}},
    {InputMode::kModularTest, "Gumm terms of A%d", {{{"Most terms", 60, Preset::kTen}}}},
    {InputMode::kNearUnanimityTest, "Near-unanimity term of A%d", {{{"Arity", 60, Preset::kFour}}}},
    {InputMode::kWeakNearUnanimityTest, "Weak near-unanimity term of A%d", {{{"Arity", 60, Preset::kThree}}}},
    // The caption and the field are the file's: see foreign_open.h.
    {InputMode::kForeignMapping, "Open", {{{"Operations onto symbols (name=symbol ...)", 400}}}},
};

std::string captionText(const Workspace& ws, const char* caption) {
  std::string text = caption;
  if (const size_t at = text.find("%d"); at != std::string::npos) text.replace(at, 2, std::to_string(ws.redMarked));
  return text;
}

std::string presetText(const Workspace& ws, Preset preset) {
  switch (preset) {
    case Preset::kEmpty: return "";
    case Preset::kNamedElements: return std::to_string(ws.sig.maxNamedElements);
    case Preset::kThousand: return "1000";
    case Preset::kLatticeStop: return std::to_string(kDefaultLatticeStop);
    case Preset::kThree: return "3";
    case Preset::kFour: return "4";
    case Preset::kTen: return "10";
  }
  return "";
}

}  // namespace

const PanelEntry* findPanel(InputMode mode) {
  for (const PanelEntry& p : kPanels) {
    if (p.mode == mode) return &p;
  }
  return nullptr;
}

bool openPanel(Workspace& ws, InputMode mode, int32_t keyTarget) {
  const PanelEntry* panel = findPanel(mode);
  if (!panel || (panel->offered && !panel->offered(ws))) return false;
  const std::array<PanelFieldPreset, 3>& f = panel->fields;
  const std::string caption = captionText(ws, panel->caption);
  if (f[1].prompt) {
    openThreeFieldPanel(ws.panel, caption, f[0].prompt, f[0].width, f[1].prompt, f[1].width, f[2].prompt, f[2].width);
  } else {
    openOneFieldPanel(ws.panel, caption, f[0].prompt, f[0].width);
  }
  for (size_t i = 0; i < f.size() && f[i].prompt; ++i) {
    if (f[i].preset != Preset::kEmpty) setFieldText(ws.panel, static_cast<int32_t>(i), presetText(ws, f[i].preset));
  }
  ws.inputMode = mode;
  if (keyTarget >= 0) ws.keyTarget = keyTarget;
  return true;
}

void submitPanel(Workspace& ws, Progress& progress) {
  ws.panel.open = false;
  executeCommand(ws, ws.inputMode, progress);
}

bool meetSignature(const Workspace& ws) {
  const int32_t dot = ws.sig.op('.');
  return dot == 0 || dot == 1;
}

bool joinSignature(const Workspace& ws) { return ws.sig.op('+') == 0; }

}  // namespace kest
