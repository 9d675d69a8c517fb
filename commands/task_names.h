// What a long command is called while it runs ("Minimal congruences of
// A3"), for the progress window and the terminal line of script mode.
#pragma once

#include <cstdint>
#include <string>

#include "core/input_mode.h"
#include "core/workspace.h"

namespace kest {

// For the single-key command key over algebra k; empty for quick keys.
std::string keyTaskName(const Workspace& ws, int32_t key, int32_t k);

// For the executor's mode, on the algebras it takes; empty for quick modes.
std::string modeTaskName(const Workspace& ws, InputMode mode);

}  // namespace kest
