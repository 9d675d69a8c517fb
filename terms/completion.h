// Completing a partial algebra by the listed equations: wherever an
// equation, under some assignment, has one side defined and the other
// undefined only in its outermost operation, that entry is forced. The
// commutative and idempotent flags are enforced on the way. On a
// contradiction every change is undone.
#pragma once

#include <cstdint>

#include "core/progress.h"
#include "core/workspace.h"

namespace kest {

enum class CompletionResult { kOk, kContradictory, kInterrupted };

// Passes over the listed equations (other formulas are skipped) until a
// pass whose last equation reports no change. The flag checks run before
// every assignment, as far as anything can have changed since the last one.
// On kContradictory and kInterrupted the table is as it was before.
CompletionResult completeByEquations(Workspace& ws, int32_t k, Progress& progress = noProgress());

}  // namespace kest
