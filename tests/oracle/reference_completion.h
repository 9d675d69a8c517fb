// The plain completion: the flag checks over the whole tables before every
// assignment, both sides evaluated afresh by the recursive evaluator.
#pragma once

#include <cstdint>

#include "core/workspace.h"

namespace kest::oracle {

// 1 for "Last input O.K.", 0 for a contradiction (the table is restored).
int32_t completeByEquationsReference(Workspace& ws, int32_t k);

}  // namespace kest::oracle
