// Arguments that settle a condition without a search over the free
// algebra: a nontrivial abelian algebra in the variety rules out every
// condition that implies congruence meet semidistributivity (majority,
// near-unanimity, Pixley, Jonsson terms, sd-meet); and a subalgebra that
// fails a condition makes A fail it too (its identities hold there).
#pragma once

#include <optional>

#include "conditions/search_context.h"

namespace kest {

// Whether condition c implies congruence meet semidistributivity.
bool impliesMeetSemidistributive(Condition c);

// A one-generated subalgebra with two or more elements that is abelian
// (reason kAbelian with its members), else nothing.
std::optional<ConditionReason> abelianSubalgebra(SearchContext& ctx);

// The members of the distinct proper one-generated subalgebras with at
// least two elements and at most most, smallest first; nothing when stopped.
std::vector<std::vector<int32_t>> smallSubalgebras(const AlgebraView& a, size_t most, WorkPoll& poll);

// The subalgebra of a on members (sorted), as tables of its own with the
// members renumbered 0, 1, ...
std::vector<int32_t> subalgebraTables(const AlgebraView& a, const std::vector<int32_t>& members);

}  // namespace kest
