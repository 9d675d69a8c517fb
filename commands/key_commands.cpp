#include "commands/key_commands.h"

#include <string_view>

#include "commands/formula_reports.h"
#include "commands/free_commands.h"
#include "commands/lattice_commands.h"
#include "commands/panel_commands.h"
#include "commands/structure_commands.h"
#include "commands/task_names.h"
#include "core/algebra_store.h"
#include "core/command_scope.h"
#include "structure/lattice_layout.h"
#include "structure/reconstructible.h"
#include "terms/completion.h"
#include "terms/formulas.h"
#include "terms/satisfaction.h"

namespace kest {

namespace {

using KeyHandler = Repaint (*)(Workspace& ws, int32_t k, Progress& progress);

struct KeyCommand {
  char key;
  KeyHandler run;
};

// Opens the panel of a key's mode; Enter then runs the mode on k.
Repaint openKeyPanel(Workspace& ws, int32_t k, InputMode mode) {
  openPanel(ws, mode, k);
  return Repaint::whole();
}

constexpr KeyCommand kKeyCommands[] = {
    {'a',
     [](Workspace& ws, int32_t k, Progress& p) {
       abelianReport(ws, k, p);
       return Repaint::whole();
     }},
    {'B', [](Workspace& ws, int32_t k, Progress&) { return openKeyPanel(ws, k, InputMode::kLines); }},
    {'c', [](Workspace& ws, int32_t k, Progress&) { return openKeyPanel(ws, k, InputMode::kCongruence); }},
    {'e',
     [](Workspace& ws, int32_t, Progress& p) {
       embedMarkedAlgebras(ws, p);
       return Repaint::whole();
     }},
    {'f', [](Workspace& ws, int32_t k, Progress&) { return openKeyPanel(ws, k, InputMode::kFactor); }},
    {'g', [](Workspace& ws, int32_t k, Progress&) { return openKeyPanel(ws, k, InputMode::kSubuniverse); }},
    {'i',
     [](Workspace& ws, int32_t k, Progress& p) {
       minimalCongruencesReport(ws, k, p);
       return Repaint::whole();
     }},
    {'b',
     [](Workspace& ws, int32_t k, Progress&) {
       ws.binarySaveRequest = k;  // the front end asks for the file name
       return Repaint::nothing();
     }},
    {'C',
     [](Workspace& ws, int32_t k, Progress&) {
       copyAlgebra(ws, k);
       return Repaint::whole();
     }},
    {'d',
     [](Workspace& ws, int32_t k, Progress&) {
       deleteAlgebra(ws, k);
       return Repaint::whole();
     }},
    {'h',
     [](Workspace& ws, int32_t k, Progress&) {
       toggleDisplayed(ws, k);
       return Repaint::whole();
     }},
    {'k',
     [](Workspace& ws, int32_t k, Progress&) {
       conservativityReport(ws, k);
       return Repaint::whole();
     }},
    {'l',
     [](Workspace& ws, int32_t k, Progress& p) {
       latticeReport(ws, k, p);
       return Repaint::whole();
     }},
    {'N',
     [](Workspace& ws, int32_t k, Progress&) {
       eraseLatticeCoordinates(ws, k);  // the drawing changes at its next repaint
       return Repaint::nothing();
     }},
    {'r',
     [](Workspace& ws, int32_t k, Progress& p) {
       reconstructionReport(ws, k, p);
       return Repaint::whole();
     }},
    {'s',
     [](Workspace& ws, int32_t k, Progress& p) {
       satisfactionReport(ws, k, p);
       return Repaint::whole();
     }},
    {'u',
     [](Workspace& ws, int32_t k, Progress& p) {
       if (ws.terms.formulaListCount() == 0) return Repaint::nothing();
       completionReport(ws, k, p);
       return Repaint::whole();
     }},
    {'x',
     [](Workspace& ws, int32_t k, Progress& p) {
       stepFreeOverPartialReport(ws, k, p);
       return Repaint::whole();
     }},
    {'y',
     [](Workspace& ws, int32_t k, Progress&) {
       extendAlgebra(ws, k);
       return Repaint::whole();
     }},
    {'z',
     [](Workspace& ws, int32_t k, Progress& p) {
       closeAndFactorReport(ws, k, p);
       return Repaint::whole();
     }},
};

const KeyCommand* findKeyCommand(int32_t key) {
  for (const KeyCommand& c : kKeyCommands) {
    if (c.key == key) return &c;
  }
  return nullptr;
}

}  // namespace

bool isSingleKeyCommand(int32_t key) {
  return key > 0 && key < 128 &&
         std::string_view("abBcCdefghiklNrsuxyz").find(static_cast<char>(key)) != std::string_view::npos;
}

bool hasSingleKeyCommand(int32_t key) { return findKeyCommand(key) != nullptr; }

Repaint runSingleKeyCommand(Workspace& ws, int32_t key, int32_t k, Progress& progress) {
  const KeyCommand* command = findKeyCommand(key);
  if (!command || !ws.validAlgebra(k)) return Repaint::nothing();
  if (const std::string task = keyTaskName(ws, key, k); !task.empty()) progress.setTask(task);
  return runCommand(ws, progress, Repaint::whole(), [&] { return command->run(ws, k, progress); });
}

bool deleteListedRowAt(Workspace& ws, int32_t y) {
  const int32_t terms = ws.terms.namedTermCount();
  const int32_t formulas = ws.terms.formulaListCount();
  if (y >= 10 && y < 10 + 16 * terms) {
    deleteNamedTerm(ws, (y - 10) / 16);
    return true;
  }
  if (y >= 10 + 16 * terms && y < 10 + 16 * (terms + formulas)) {
    deleteFormula(ws, (y - 10 - 16 * terms) / 16);
    return true;
  }
  return false;
}

}  // namespace kest
