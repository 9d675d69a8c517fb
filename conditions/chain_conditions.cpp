#include "conditions/chain_conditions.h"

#include <deque>
#include <unordered_map>
#include <unordered_set>

#include "conditions/linear_conditions.h"
#include "conditions/local_refutation.h"

namespace kest {

namespace {

constexpr int32_t X = 0;
constexpr int32_t Y = 1;

// All ternary terms' profiles at the instances; nothing (with the reason
// in result) when the closure outgrew its limits or was stopped.
std::unique_ptr<ProfileClosure> closeAll(SearchContext& ctx, const std::vector<std::vector<int32_t>>& patterns,
                                         ConditionResult& result) {
  std::vector<Instance> instances;
  for (const std::vector<int32_t>& p : patterns) instances.push_back(instanceOf(p));
  auto closure = std::make_unique<ProfileClosure>(ctx.algebra(), ctx.spaces(), instances, 3, kMostProfiles);
  const ProfileClosure::Outcome o = closure->close([](size_t) { return false; }, ctx.poll());
  if (o == ProfileClosure::Outcome::kComplete) return closure;
  result = resultOf(o, *closure);
  return nullptr;
}

// The profile of the projection onto argument i.
size_t projectionProfile(const ProfileClosure& c, int32_t i) {
  std::vector<int32_t> p;
  for (size_t j = 0; j < c.width(); ++j) p.push_back(c.projectionIn(static_cast<int32_t>(j), i));
  return static_cast<size_t>(c.indexOf(p.data()));
}

// Breadth first over (profile, step parity): from start, a step i goes to
// a profile that agrees with the current one in component link(i); the
// chain ends at a profile that done accepts. The profiles on the shortest
// chain (start first), or empty when none has at most most steps; reached
// says whether any chain ends at all.
template <class Rows, class Link, class Done, class Valid>
std::vector<size_t> shortestChain(const Rows& c, size_t start, int32_t most, Link&& link, Done&& done, Valid&& valid,
                                  bool& reached) {
  struct State {
    size_t profile;
    int32_t steps;
    int64_t parent;
  };
  // Profiles by the value of each component that links.
  std::unordered_map<int64_t, std::vector<size_t>> byValue;
  for (size_t i = 0; i < c.size(); ++i) {
    if (!valid(i)) continue;
    for (int32_t parity = 0; parity < 2; ++parity) {
      const int32_t into = link(parity).second;
      byValue[(static_cast<int64_t>(parity) << 40) | c.profile(i)[into]].push_back(i);
    }
  }
  std::vector<State> states{{start, 0, -1}};
  std::vector<uint8_t> seen(c.size() * 2, 0);
  seen[start * 2] = 1;
  reached = false;
  for (size_t s = 0; s < states.size(); ++s) {
    const State st = states[s];
    if (done(st.profile)) {
      reached = true;
      if (st.steps > most) return {};
      std::vector<size_t> chain;
      for (int64_t at = static_cast<int64_t>(s); at >= 0; at = states[static_cast<size_t>(at)].parent) {
        chain.insert(chain.begin(), states[static_cast<size_t>(at)].profile);
      }
      return chain;
    }
    const int32_t parity = st.steps % 2;
    const auto [from, into] = link(parity);
    const auto it = byValue.find((static_cast<int64_t>(parity) << 40) | c.profile(st.profile)[from]);
    if (it == byValue.end()) continue;
    for (size_t next : it->second) {
      uint8_t& mark = seen[next * 2 + static_cast<size_t>(1 - parity)];
      if (mark) continue;
      mark = 1;
      states.push_back({next, st.steps + 1, static_cast<int64_t>(s)});
    }
  }
  return {};
}

std::string numbered(const char* letter, size_t i) { return letter + std::to_string(i); }

// The verdict of a chain search: the terms along the chain, named letter0,
// letter1, ... (without the first and last when they are the projections
// the identities fix), or why there is none.
void settleChain(ConditionResult& result, const ProfileClosure& c, const std::vector<size_t>& chain, bool reached,
                 const char* letter, bool withEnds) {
  if (chain.empty()) {
    result.verdict = Verdict::kFails;
    result.reason.kind = reached ? ConditionReason::Kind::kBound : ConditionReason::Kind::kNoChain;
    result.reason.size = static_cast<int64_t>(c.size());
    return;
  }
  result.verdict = Verdict::kHolds;
  result.least = static_cast<int32_t>(chain.size()) - 1;
  const size_t skip = withEnds ? 0 : 1;
  for (size_t i = skip; i + skip < chain.size(); ++i) result.terms.push_back(c.term(chain[i], numbered(letter, i)));
}

}  // namespace

ConditionResult searchPermutable(SearchContext& ctx, int32_t k) {
  ConditionResult result;
  if (k >= 2) {
    ConditionResult two = searchTerm(ctx, maltsevCondition(), "p1");
    if (two.verdict == Verdict::kHolds || two.reason.kind == ConditionReason::Kind::kStopped) {
      two.least = 2;
      return two;
    }
  }
  std::unique_ptr<ProfileClosure> c = closeAll(ctx, {{X, X, Y}, {X, Y, Y}}, result);
  if (!c) return result;
  bool reached = false;
  const size_t end = projectionProfile(*c, 2);
  const std::vector<size_t> chain = shortestChain(
      *c, projectionProfile(*c, 0), k,
      [](int32_t) {
        return std::pair<int32_t, int32_t>{0, 1};
      },
      [&](size_t p) { return p == end; }, [](size_t) { return true; }, reached);
  settleChain(result, *c, chain, reached, "p", false);
  return result;
}

namespace {

// Jonsson and Gumm terms share their profiles and links.
const std::vector<std::vector<int32_t>> kJonssonPatterns{{X, Y, X}, {X, X, Y}, {X, Y, Y}};

std::pair<int32_t, int32_t> jonssonLink(int32_t parity) { return parity == 0 ? std::pair{1, 1} : std::pair{2, 2}; }

// Tuples of A^3 read as the profiles shortestChain walks.
struct TupleRows {
  const RowSet<int32_t>& tuples;
  size_t size() const { return tuples.size(); }
  const int32_t* profile(size_t i) const { return tuples.row(i); }
};

// Jonsson or Gumm terms looked at two elements a, b (as in
// conditions/local_refutation.h): their values at x = a, y = b lie in the
// subalgebra of A^3 generated by the projections' tuples, start at x's,
// keep a in the first place, and link as the terms do, to z's tuple
// (Jonsson) or to a tuple whose last place is that of a tuple with b in
// the middle (q's). A pair where no chain at all leads there refutes the
// condition, and the subalgebra is a reason a user can check.
std::optional<ConditionReason> noChainAtPair(SearchContext& ctx, bool gumm) {
  TermCondition c;
  c.arity = 3;
  for (const std::vector<int32_t>& p : kJonssonPatterns) c.instances.push_back(instanceOf(p));
  c.target.assign(c.instances.size(), -1);
  return atEachPair(
      ctx, c, [](int32_t, int32_t, const int32_t*) { return false; },
      [&](int32_t a, int32_t b, bool, const RowSet<int32_t>& tuples,
          const std::vector<std::vector<int32_t>>& generators) -> std::optional<ConditionReason> {
        const TupleRows rows{tuples};
        const int64_t end = tuples.find(generators[2].data());
        std::unordered_set<int32_t> qEnds;
        for (size_t i = 0; i < tuples.size(); ++i) {
          if (tuples.row(i)[1] == b) qEnds.insert(tuples.row(i)[2]);
        }
        bool reached = false;
        shortestChain(
            rows, static_cast<size_t>(tuples.find(generators[0].data())), INT32_MAX, jonssonLink,
            [&](size_t p) { return gumm ? qEnds.count(rows.profile(p)[2]) > 0 : static_cast<int64_t>(p) == end; },
            [&](size_t p) { return rows.profile(p)[0] == a; }, reached);
        if (reached) return std::nullopt;
        ConditionReason r;
        r.kind = ConditionReason::Kind::kLocalChain;
        r.power = 3;
        r.tuples = generators;
        r.size = static_cast<int64_t>(tuples.size());
        return r;
      });
}

}  // namespace

std::optional<ConditionReason> jonssonChainFailsAtPair(SearchContext& ctx) { return noChainAtPair(ctx, false); }

ConditionResult searchJonsson(SearchContext& ctx, int32_t k) {
  ConditionResult result;
  if (k >= 2) {
    ConditionResult two = searchTerm(ctx, jonssonMiddleCondition(), "d1");
    if (two.verdict == Verdict::kHolds) {
      two.least = 2;
      two.terms.insert(two.terms.begin(), WitnessTerm::variable("d0", 3, 0));
      two.terms.push_back(WitnessTerm::variable("d2", 3, 2));
      return two;
    }
    if (two.reason.kind == ConditionReason::Kind::kStopped) return two;
  }
  if (std::optional<ConditionReason> local = noChainAtPair(ctx, false)) {
    result.verdict = Verdict::kFails;
    result.reason = std::move(*local);
    return result;
  }
  std::unique_ptr<ProfileClosure> c = closeAll(ctx, kJonssonPatterns, result);
  if (!c) return result;
  const int32_t x = c->variableIn(0, X);
  bool reached = false;
  const size_t end = projectionProfile(*c, 2);
  const std::vector<size_t> chain = shortestChain(
      *c, projectionProfile(*c, 0), k, jonssonLink, [&](size_t p) { return p == end; },
      [&](size_t p) { return c->profile(p)[0] == x; }, reached);
  settleChain(result, *c, chain, reached, "d", true);
  return result;
}

ConditionResult searchGumm(SearchContext& ctx, int32_t k) {
  ConditionResult result;
  ConditionResult zero = searchTerm(ctx, maltsevCondition(), "q");
  if (zero.verdict == Verdict::kHolds || zero.reason.kind == ConditionReason::Kind::kStopped) {
    zero.least = 0;
    zero.terms.insert(zero.terms.begin(), WitnessTerm::variable("m0", 3, 0));
    return zero;
  }
  if (std::optional<ConditionReason> local = noChainAtPair(ctx, true)) {
    result.verdict = Verdict::kFails;
    result.reason = std::move(*local);
    return result;
  }
  std::unique_ptr<ProfileClosure> c = closeAll(ctx, kJonssonPatterns, result);
  if (!c) return result;
  const int32_t x = c->variableIn(0, X);
  const int32_t y = c->variableIn(1, Y);
  // The q(x,y,y) of the terms q with q(x,x,y) = y, and one such q for each.
  std::unordered_map<int32_t, size_t> qByEnd;
  for (size_t i = 0; i < c->size(); ++i) {
    if (c->profile(i)[1] == y) qByEnd.emplace(c->profile(i)[2], i);
  }
  bool reached = false;
  const std::vector<size_t> chain = shortestChain(
      *c, projectionProfile(*c, 0), k - 2, jonssonLink, [&](size_t p) { return qByEnd.count(c->profile(p)[2]) > 0; },
      [&](size_t p) { return c->profile(p)[0] == x; }, reached);
  settleChain(result, *c, chain, reached, "m", true);
  if (result.verdict == Verdict::kHolds) result.terms.push_back(c->term(qByEnd.at(c->profile(chain.back())[2]), "q"));
  return result;
}

}  // namespace kest
