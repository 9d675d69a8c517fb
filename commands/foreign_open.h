// Opening a file of another tool in the window. The file is read once:
// when its operations can meet the signature, a panel shows how ("join=+
// meet=."), and why that does not fit as it stands when a flag breaks, for
// the user to keep or change; Enter then appends the algebras as read.
// When no mapping can help (the file cannot be read, the signature is not
// entered, the counts of operations differ), the refusal is said at once.
#pragma once

#include <string>
#include <vector>

#include "core/progress.h"
#include "core/workspace.h"
#include "io/foreign_algebra.h"

namespace kest {

// The file's algebras while the mapping panel is open.
struct PendingForeignFile {
  std::string path;
  std::vector<ForeignAlgebra> algebras;
};

void beginForeignOpen(Workspace& ws, const std::string& path, Progress& progress = noProgress());

}  // namespace kest
