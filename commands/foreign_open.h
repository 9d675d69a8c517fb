// Opening a file of another tool in the window: a one-field panel shows
// how its operations will meet the signature ("join=+ meet=."), the user
// may change it, and Enter asks the front end to open the file with it.
#pragma once

#include <string>

#include "core/workspace.h"

namespace kest {

void openForeignMappingPanel(Workspace& ws, const std::string& path, const std::string& mapping);

}  // namespace kest
