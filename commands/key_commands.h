// Single-key commands: a key pressed with the pointer in an algebra's top
// field runs a command on that algebra, or opens the input panel for one.
#pragma once

#include <cstdint>

#include "commands/repaint.h"
#include "core/progress.h"
#include "core/workspace.h"

namespace kest {

// Whether key names a single-key command of the full command set, and
// whether this build has it yet.
bool isSingleKeyCommand(int32_t key);
bool hasSingleKeyCommand(int32_t key);

// Runs the command of key on algebra k. A key without a command does
// nothing and repaints nothing.
Repaint runSingleKeyCommand(Workspace& ws, int32_t key, int32_t k, Progress& progress = noProgress());

// The key d over the lists of terms and formulas at page height y: deletes
// that row's term or formula. False when y is outside both lists (the key
// then goes on to the algebras).
bool deleteListedRowAt(Workspace& ws, int32_t y);

}  // namespace kest
