// The reports of the keys a (abelianness), i (minimal congruences) and e
// (embeddings).
#pragma once

#include <cstdint>
#include <vector>

#include "core/progress.h"
#include "core/workspace.h"

namespace kest {

void abelianReport(Workspace& ws, int32_t k, Progress& progress);
void minimalCongruencesReport(Workspace& ws, int32_t k, Progress& progress);

// Key e and the toolbar's E: an embedding of the red-marked algebra into
// the green-marked one, when both are complete.
void embedMarkedAlgebras(Workspace& ws, Progress& progress);

// Appends the subalgebra of k on the sorted members and lists the
// renaming ("c->b"), as the subalgebra command does; false when nothing
// was appended.
bool appendSubalgebraReport(Workspace& ws, int32_t k, const std::vector<int32_t>& members);

}  // namespace kest
