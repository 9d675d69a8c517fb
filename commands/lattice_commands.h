// The lattice commands that need no typed input: the reports of the keys
// l (lattice recognition and properties) and k (conservativity), and the
// glued ordinal sum of the two marked lattices.
#pragma once

#include <cstdint>

#include "core/progress.h"
#include "core/workspace.h"

namespace kest {

void latticeReport(Workspace& ws, int32_t k, Progress& progress = noProgress());
void conservativityReport(Workspace& ws, int32_t k);

// Appends the glued sum of the red-marked lattice (below) and the
// green-marked one (above) when both are lattices; otherwise nothing.
void glueMarkedLattices(Workspace& ws);

}  // namespace kest
