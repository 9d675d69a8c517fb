// The conditions that are not one linear term or a chain: a semilattice
// term (associativity nests the term in itself), congruence meet
// semidistributivity (two weak near-unanimity terms that agree), and a
// Taylor term (a Siggers term, read off a Maltsev or semilattice term
// when there is one, else searched for over F(3)).
#pragma once

#include "conditions/search_context.h"

namespace kest {

ConditionResult searchSemilattice(SearchContext& ctx);
ConditionResult searchSdMeet(SearchContext& ctx);
ConditionResult searchTaylor(SearchContext& ctx);

// t with its variables replaced: variable i of t becomes variable map[i]
// of a term of the given arity.
WitnessTerm substituteVariables(const WitnessTerm& t, const std::vector<int32_t>& map, int32_t arity, std::string name);

// outer(inner_1, ..., inner_r): the inner terms share the result's arity.
WitnessTerm composeTerms(const WitnessTerm& outer, const std::vector<WitnessTerm>& inner, std::string name);

// The value of t on A at the arguments.
int32_t evaluateTerm(const WitnessTerm& t, const AlgebraView& a, const std::vector<int32_t>& args);

}  // namespace kest
