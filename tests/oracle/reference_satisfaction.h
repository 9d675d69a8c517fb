// The plain satisfaction check: every assignment in odometer order, each
// side evaluated afresh by the recursive evaluator. The fast check must
// agree with it in verdict and counterexample.
#pragma once

#include <cstdint>

#include "core/workspace.h"
#include "terms/evaluation.h"

namespace kest::oracle {

int32_t satisfiesReference(const Workspace& ws, int32_t k, int32_t f, Assignment& s);

}  // namespace kest::oracle
