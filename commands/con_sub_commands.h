// The congruence lattice and the subuniverse lattice of the red-marked
// algebra: a one-field panel asks where to stop, Enter lists the lattice
// as message lines (as many as the message area holds) and keeps the list
// for its page and for saving.
#pragma once

#include <cstdint>
#include <string>

#include "core/progress.h"
#include "core/workspace.h"

namespace kest {

// The reports, on algebra k, with at most stop elements.
void congruenceLatticeReport(Workspace& ws, int32_t k, int64_t stop, Progress& progress);
void subuniverseLatticeReport(Workspace& ws, int32_t k, int64_t stop, Progress& progress);

// Writes every line of the last list to path (the count line, then one
// line per element, none cut); the message lines then hold the count line
// and "Written to PATH", or say why not.
void saveLatticeList(Workspace& ws, const std::string& path, Progress& progress);

}  // namespace kest
