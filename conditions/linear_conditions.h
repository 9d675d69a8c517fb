// The conditions on one term, as profile conditions: the instances their
// identities use and what each must equal. Variables are x = 0, y = 1,
// z = 2.
#pragma once

#include <optional>

#include "conditions/search_context.h"

namespace kest {

TermCondition maltsevCondition();   // p(x,y,y) = x, p(x,x,y) = y
TermCondition majorityCondition();  // m(x,x,y) = m(x,y,x) = m(y,x,x) = x
TermCondition minorityCondition();  // m(x,x,y) = m(x,y,x) = m(y,x,x) = y
TermCondition pixleyCondition();    // p(x,y,y) = x, p(x,x,y) = y, p(x,y,x) = x
TermCondition nearUnanimityCondition(int32_t k);
TermCondition weakNearUnanimityCondition(int32_t k);
TermCondition siggersCondition();  // s(x,x,x,x) = x, s(x,y,x,z) = s(y,x,z,y)
// The middle term of two Jonsson terms: d(x,y,x) = x, d(x,x,y) = x, d(x,y,y) = y.
TermCondition jonssonMiddleCondition();

// The profiles the search for c closes (with the targets of a single-term
// condition; for the chains, the instances of their links, no targets):
// what a reason describes. Nothing for the semilattice and sd-meet searches.
std::optional<TermCondition> searchedCondition(Condition c, int32_t k);

}  // namespace kest
