// Toolbar commands that open the input panel: caption, prompt, field width
// and the input mode that Enter then runs. The window's buttons and the
// script verbs open panels through this one table.
#pragma once

#include <cstdint>

#include "core/progress.h"
#include "core/workspace.h"

namespace kest {

struct PanelCommand {
  int32_t id;
  const char* caption;
  const char* prompt;
  int32_t width;
  char mode;
  // Whether the signature offers the command; always when absent.
  bool (*offered)(const Workspace& ws) = nullptr;
};

inline constexpr int32_t kCommandTermOrEquation = 32773;
inline constexpr int32_t kCommandNewAlgebra = 32775;
inline constexpr int32_t kCommandConjunction = 32784;
inline constexpr int32_t kCommandDisjunction = 32785;
inline constexpr int32_t kCommandImplication = 32786;
inline constexpr int32_t kCommandEquivalence = 32787;
inline constexpr int32_t kCommandNegation = 32788;
inline constexpr int32_t kCommandSubalgebra = 32777;
inline constexpr int32_t kCommandProduct = 32778;
inline constexpr int32_t kCommandSubproduct = 32798;
inline constexpr int32_t kCommandLinear = 32783;
inline constexpr int32_t kCommandGraph = 32776;
inline constexpr int32_t kCommandOrder = 32779;
inline constexpr int32_t kCommandMeet = 32780;
inline constexpr int32_t kCommandJoin = 32781;
inline constexpr int32_t kCommandLattice = 32782;

// The command with this id, or nullptr.
const PanelCommand* findPanelCommand(int32_t id);

// Opens the one-field panel of the command and sets its input mode, when
// the signature offers the command; returns whether it did.
bool openPanelCommand(Workspace& ws, const PanelCommand& command);

// Enter in the panel: closes it and runs the input mode.
void submitPanel(Workspace& ws, Progress& progress = noProgress());

}  // namespace kest
