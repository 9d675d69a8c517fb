// The plain congruence and subuniverse algorithms: fixpoint passes with a
// full compression after every step, n^3 storage for the minimal
// congruences, the square's tables for abelianness. The fast versions must
// give the same partitions, lists and verdicts.
#pragma once

#include <cstdint>
#include <vector>

#include "core/workspace.h"

namespace kest::oracle {

void totalClosureReference(const Workspace& ws, int32_t k, std::vector<int32_t>& p);
void partialClosureReference(const Workspace& ws, int32_t k, std::vector<int32_t>& p);
// Total closure for complete algebras, partial otherwise.
void closureReference(const Workspace& ws, int32_t k, std::vector<int32_t>& p);
std::vector<std::vector<int32_t>> minimalCongruencesReference(const Workspace& ws, int32_t k);
bool isAbelianReference(const Workspace& ws, int32_t k);
void closeSubuniverseReference(const Workspace& ws, int32_t k, std::vector<uint8_t>& members);
// The table of the subalgebra of A x B on the sorted pairs, entry by entry.
std::vector<int32_t> subproductTableReference(const Workspace& ws, int32_t a, int32_t b,
                                              const std::vector<int64_t>& pairs);

}  // namespace kest::oracle
