// The congruence lattice and the subuniverse lattice of the red-marked
// algebra: a one-field panel asks where to stop, Enter lists the lattice
// as message lines.
#pragma once

#include <cstdint>

#include "core/progress.h"
#include "core/workspace.h"

namespace kest {

inline constexpr int32_t kCommandCongruenceLattice = 32800;
inline constexpr int32_t kCommandSubuniverseLattice = 32801;
// The page of the last listed Con(A) or Sub(A), a toggle.
inline constexpr int32_t kCommandComputedLatticePage = 32802;

inline constexpr int32_t kDefaultLatticeStop = 100000;

void openCongruenceLatticePanel(Workspace& ws);
void openSubuniverseLatticePanel(Workspace& ws);

// The reports, on algebra k, with at most stop elements.
void congruenceLatticeReport(Workspace& ws, int32_t k, int64_t stop, Progress& progress);
void subuniverseLatticeReport(Workspace& ws, int32_t k, int64_t stop, Progress& progress);

}  // namespace kest
