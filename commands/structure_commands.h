// The reports of the keys a (abelianness) and i (minimal congruences).
#pragma once

#include <cstdint>

#include "core/progress.h"
#include "core/workspace.h"

namespace kest {

void abelianReport(Workspace& ws, int32_t k, Progress& progress);
void minimalCongruencesReport(Workspace& ws, int32_t k, Progress& progress);

}  // namespace kest
