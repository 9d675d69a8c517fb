// The reports of the keys a (abelianness), i (minimal congruences) and e
// (embeddings).
#pragma once

#include <cstdint>

#include "core/progress.h"
#include "core/workspace.h"

namespace kest {

void abelianReport(Workspace& ws, int32_t k, Progress& progress);
void minimalCongruencesReport(Workspace& ws, int32_t k, Progress& progress);

// Key e and the toolbar's E: an embedding of the red-marked algebra into
// the green-marked one, when both are complete.
void embedMarkedAlgebras(Workspace& ws, Progress& progress);

}  // namespace kest
