// Opening a file of another tool in the window: a one-field panel shows
// how its operations will meet the signature ("join=+ meet=."), the user
// may change it, and Enter asks the front end to open the file with it.
#pragma once

#include <string>

#include "core/workspace.h"

namespace kest {

// problem, when not empty, says why the mapping does not fit as it stands;
// the panel shows it under the field.
void openForeignMappingPanel(Workspace& ws, const std::string& path, const std::string& mapping,
                             const std::string& problem = "");

}  // namespace kest
