// The command executor: runs the input mode with the input panel's field
// texts once the user has pressed Enter. Each mode is one entry of a table;
// the modules that own the operations register their modes there.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "core/input_mode.h"
#include "core/progress.h"
#include "core/workspace.h"

namespace kest {

using ModeHandler = void (*)(Workspace& ws, Progress& progress);

struct ModeTable {
  std::array<ModeHandler, 256> handlers{};
  void add(InputMode mode, ModeHandler handler) { handlers[modeIndex(mode)] = handler; }
};

// Registration of each module's modes.
void registerSignatureModes(ModeTable& table);
void registerTermModes(ModeTable& table);
void registerAlgebraModes(ModeTable& table);
void registerStructureModes(ModeTable& table);
void registerMapModes(ModeTable& table);
void registerFreeModes(ModeTable& table);
void registerLatticeModes(ModeTable& table);
void registerConSubModes(ModeTable& table);
void registerConditionModes(ModeTable& table);
void registerForeignOpenMode(ModeTable& table);

// Runs mode with the current input strings; a mode without an entry does
// nothing. Memory that cannot be had is answered with a message line, and
// the workspace stays as it was.
void executeCommand(Workspace& ws, InputMode mode, Progress& progress = noProgress());

// The first input string, as the executor's work text.
const std::string& inputString(const Workspace& ws, int32_t i = 0);

// Helpers shared by the modes.
bool isFormulaNumber(const Workspace& ws, int32_t j);

// A typed bound: decimal digits only (blanks around them allowed, values
// past 2^40 taken as 2^40); nothing for any other text.
std::optional<int64_t> readTypedNumber(const std::string& text);

}  // namespace kest
