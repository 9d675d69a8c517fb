// The chain conditions, as shortest paths through the profiles of all
// ternary terms (closed completely, so that a missing path is a proof):
//   n-permutable  p0 = x, pn = z, pi(x,x,y) = p(i+1)(x,y,y)       (Hagemann-Mitschke)
//   distributive  d0 = x, dn = z, di(x,y,x) = x, di(x,x,y) = d(i+1)(x,x,y)
//                 for even i and di(x,y,y) = d(i+1)(x,y,y) for odd i  (Jonsson)
//   modular       m0 = x, mi(x,y,x) = x, the same links up to mn, then
//                 mn(x,y,y) = q(x,y,y) and q(x,x,y) = y              (Gumm)
// The shortest chains first look for a single middle term (a Maltsev term,
// or the middle of two Jonsson terms), which needs no complete closure.
#pragma once

#include <optional>

#include "conditions/search_context.h"

namespace kest {

// The least n up to k, with the terms p1..p(n-1), d0..dn, or m0..mn and q;
// for modular k bounds the number of terms, n + 2.
ConditionResult searchPermutable(SearchContext& ctx, int32_t k);
ConditionResult searchJonsson(SearchContext& ctx, int32_t k);
ConditionResult searchGumm(SearchContext& ctx, int32_t k);

// Jonsson terms looked at pairs of elements: the reason (kLocalChain) when
// at some pair no chain exists, or nothing (also after a stop or when the
// work allowed ran out).
std::optional<ConditionReason> jonssonChainFailsAtPair(SearchContext& ctx);

}  // namespace kest
