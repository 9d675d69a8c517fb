// Subuniverses, subalgebras, direct products and subalgebras of products.
// Pairs (x, y) of a product of A (n elements) by B (m elements) are the
// elements x*m + y; a subalgebra's members, in increasing order, become its
// elements 0, 1, 2, ...
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/progress.h"
#include "core/workspace.h"

namespace kest {

// Extends the membership flags (one per element of a) to the subuniverse
// they generate, defined constants included. Each new member is combined
// with the members once. False when the user stopped it (the flags are
// then unfinished).
bool closeSubuniverse(const AlgebraView& a, std::vector<uint8_t>& members, Progress& progress = noProgress());

// Adds e to a subuniverse (members already closed) and closes again,
// combining only what e brings; false when stopped.
bool extendSubuniverse(const AlgebraView& a, std::vector<uint8_t>& members, int32_t e,
                       Progress& progress = noProgress());

// The members in increasing order.
std::vector<int32_t> memberList(const std::vector<uint8_t>& members);

// Appends the subalgebra of k on the given members (a subuniverse) and
// returns its index; -1 when the store is full.
int32_t appendSubalgebra(Workspace& ws, int32_t k, const std::vector<int32_t>& members);

// The operations of A x B componentwise on the pairs listed (ascending
// pair indices of a subuniverse of the product); -1 when the store is full.
int32_t appendSubproduct(Workspace& ws, int32_t a, int32_t b, const std::vector<int64_t>& pairs);

// Extends a set of pairs of A x B to the subuniverse of the product it
// generates. Nothing when the user stopped it. As soon as more than
// maxPairs pairs are found it ends, returning them unsorted, so that a
// subuniverse too large to be stored is refused early.
std::optional<std::vector<int64_t>> closePairs(const AlgebraView& a, const AlgebraView& b,
                                               const std::vector<int64_t>& generators, Progress& progress,
                                               int64_t maxPairs = INT64_MAX);

}  // namespace kest
