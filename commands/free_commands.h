// The panels of the toolbar's fr1 and fr2, with their preset fields.
#pragma once

#include "core/workspace.h"

namespace kest {

inline constexpr int32_t kCommandFreeOverPartial = 32795;
inline constexpr int32_t kCommandFreeInHsp = 32796;

void openFreeOverPartialPanel(Workspace& ws);
void openFreeInHspPanel(Workspace& ws);

}  // namespace kest
