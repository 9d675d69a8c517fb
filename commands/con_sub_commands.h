// The congruence lattice and the subuniverse lattice of the red-marked
// algebra: a one-field panel asks where to stop, Enter lists the lattice
// as message lines.
#pragma once

#include <cstdint>

#include "core/progress.h"
#include "core/workspace.h"

namespace kest {



// The reports, on algebra k, with at most stop elements.
void congruenceLatticeReport(Workspace& ws, int32_t k, int64_t stop, Progress& progress);
void subuniverseLatticeReport(Workspace& ws, int32_t k, int64_t stop, Progress& progress);

}  // namespace kest
