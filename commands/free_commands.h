// The reports of the free algebras over a partial algebra: fr1 (mode F)
// and the keys x and z. The free algebra in HSP(A) (mode G) reports in its
// mode.
#pragma once

#include <cstdint>

#include "core/progress.h"
#include "core/workspace.h"
#include "free/free_over_partial.h"

namespace kest {

// "Free algebra over A%d satisfying the listed equations constructed", its
// steps and the generators' images; or "Resigning: ..."; or why not.
// The closure may be given (the tests plug in the plain one).
void freeOverPartialReport(Workspace& ws, int32_t k, int32_t limit, Progress& progress = noProgress(),
                           ClosePartial close = nullptr);

// Key x (one cycle; the message lines are cleared) and key z (close and
// factor in place).
void stepFreeOverPartialReport(Workspace& ws, int32_t k, Progress& progress);
void closeAndFactorReport(Workspace& ws, int32_t k, Progress& progress);

}  // namespace kest
