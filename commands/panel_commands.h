// Every input panel a command opens, in one table: its caption, its one or
// three fields (prompt, width, what the field starts with) and the input
// mode that Enter then runs. The toolbar's buttons, the keys over an
// algebra and the script verbs all open their panels through openPanel;
// the signature prompt alone is built by showSignaturePrompt.
#pragma once

#include <array>
#include <cstdint>

#include "core/input_mode.h"
#include "core/progress.h"
#include "core/workspace.h"

namespace kest {

// What a field holds when the panel opens.
enum class Preset { kEmpty, kNamedElements, kThousand, kLatticeStop, kThree, kFour, kTen };

inline constexpr int32_t kDefaultLatticeStop = 100000;

struct PanelFieldPreset {
  const char* prompt = nullptr;  // null after the last field
  int32_t width = 0;
  Preset preset = Preset::kEmpty;
};

struct PanelEntry {
  InputMode mode;
  const char* caption;  // "%d" stands for the red-marked algebra's number
  std::array<PanelFieldPreset, 3> fields;
  // Whether the signature offers the command; always when absent.
  bool (*offered)(const Workspace& ws) = nullptr;
};

// The panel of the mode, or nullptr.
const PanelEntry* findPanel(InputMode mode);

// Opens the mode's panel when the signature offers it, sets the input mode
// and, for a key's panel, the key-target algebra; returns whether it did.
bool openPanel(Workspace& ws, InputMode mode, int32_t keyTarget = -1);

// Enter in the panel: closes it and runs the input mode.
void submitPanel(Workspace& ws, Progress& progress = noProgress());

// Whether the signature offers the meet, join and lattice constructions.
bool meetSignature(const Workspace& ws);
bool joinSignature(const Workspace& ws);

}  // namespace kest
