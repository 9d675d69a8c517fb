#include "conditions/maltsev_conditions.h"

#include <algorithm>
#include <cmath>

#include "conditions/chain_conditions.h"
#include "conditions/linear_conditions.h"
#include "conditions/local_refutation.h"
#include "conditions/nonlinear_conditions.h"
#include "conditions/refutations.h"

namespace kest {

namespace {

// Subalgebras are tried first, for a cheap refutation, in algebras of at
// least this many elements, up to half their size.
constexpr int32_t kLeastForSubalgebras = 6;

// In an algebra of at most one element every identity holds: the first
// variable witnesses every condition.
ConditionResult trivially(Condition c, int32_t k) {
  ConditionResult r;
  r.verdict = Verdict::kHolds;
  r.trivial = true;
  auto x = [](const char* name, int32_t arity) { return WitnessTerm::variable(name, arity, 0); };
  switch (c) {
    case Condition::kMaltsev:
    case Condition::kPixley: r.terms = {x("p", 3)}; break;
    case Condition::kPermutable: r.least = 1; break;
    case Condition::kDistributive:
      r.least = 1;
      r.terms = {x("d0", 3), WitnessTerm::variable("d1", 3, 2)};
      break;
    case Condition::kModular: r.terms = {x("m0", 3), WitnessTerm::variable("q", 3, 2)}; break;
    case Condition::kMajority:
    case Condition::kMinority: r.terms = {x("m", 3)}; break;
    case Condition::kNearUnanimity: r.terms = {x("n", k)}; break;
    case Condition::kWeakNearUnanimity: r.terms = {x("w", k)}; break;
    case Condition::kTaylor: r.terms = {x("s", 4)}; break;
    case Condition::kSemilattice: r.terms = {x("t", 2)}; break;
    case Condition::kSdMeet: r.terms = {x("w", 3), x("v", 4)}; break;
    case Condition::kAll: break;
  }
  return r;
}

ConditionResult search(SearchContext& ctx, Condition c, int32_t k) {
  switch (c) {
    case Condition::kMaltsev: return searchTerm(ctx, maltsevCondition(), "p");
    case Condition::kPermutable: return searchPermutable(ctx, k);
    case Condition::kDistributive: return searchJonsson(ctx, k);
    case Condition::kModular: return searchGumm(ctx, k);
    case Condition::kMajority: return searchTerm(ctx, majorityCondition(), "m");
    case Condition::kMinority: return searchTerm(ctx, minorityCondition(), "m");
    case Condition::kPixley: return searchTerm(ctx, pixleyCondition(), "p");
    case Condition::kNearUnanimity: return searchTerm(ctx, nearUnanimityCondition(k), "n");
    case Condition::kWeakNearUnanimity: return searchTerm(ctx, weakNearUnanimityCondition(k), "w");
    case Condition::kTaylor: return searchTaylor(ctx);
    case Condition::kSemilattice: return searchSemilattice(ctx);
    case Condition::kSdMeet: return searchSdMeet(ctx);
    case Condition::kAll: break;
  }
  return {};
}

// The largest subalgebras tried: half of A, but the closures of all n
// generators, each up to that size, cost about n * size^2 * operations,
// kept within a bound so that a large algebra is not held up here.
size_t largestSubalgebraTried(const AlgebraView& a) {
  constexpr double kMostClosureWork = double{1 << 27};
  const double perSize = static_cast<double>(a.card()) * std::max(1, a.binaryCount() + a.unaryCount());
  const auto bound = static_cast<size_t>(std::sqrt(kMostClosureWork / perSize));
  return std::min(static_cast<size_t>(a.card() / 2), bound);
}

// A failing subalgebra, with why it fails, or nothing.
std::optional<ConditionResult> failingSubalgebra(SearchContext& ctx, Condition c, int32_t k) {
  const AlgebraView& a = ctx.algebra();
  for (const std::vector<int32_t>& members : ctx.subalgebrasUpTo(largestSubalgebraTried(a))) {
    const std::vector<int32_t> tables = subalgebraTables(a, members);
    const AlgebraView sub(static_cast<int32_t>(members.size()), tables.data(), a.signature());
    SearchContext inner(sub, ctx);
    ConditionResult r = search(inner, c, k);
    if (r.reason.kind == ConditionReason::Kind::kStopped || ctx.poll().progress().stopped()) {
      r.reason.kind = ConditionReason::Kind::kStopped;
      return r;
    }
    if (r.verdict != Verdict::kFails) continue;
    ConditionResult out;
    out.verdict = Verdict::kFails;
    out.reason.kind = ConditionReason::Kind::kSubalgebra;
    out.reason.members = members;
    out.reason.inner = std::make_shared<const ConditionReason>(std::move(r.reason));
    return out;
  }
  return std::nullopt;
}

ConditionResult decideIn(SearchContext& ctx, Condition c, int32_t k);

// A failure of c because the weaker condition via fails, for reason why.
ConditionResult failsThrough(Condition via, int32_t viaK, ConditionReason why) {
  ConditionResult r;
  r.verdict = Verdict::kFails;
  r.reason.kind = ConditionReason::Kind::kImplied;
  r.reason.via = via;
  r.reason.viaK = viaK;
  r.reason.inner = std::make_shared<const ConditionReason>(std::move(why));
  return r;
}

// Conditions refuted through a weaker one. A near-unanimity term makes the
// variety congruence distributive, and the Jonsson search runs in F(2)^3
// where the k-ary term's runs in F(2)^k (on a 4-element algebra 1,164
// against 6,436 profiles): a proof that V(A) is not distributive settles
// the term (a failure only up to the bound proves nothing). Majority and
// Pixley terms make it distributive too, and a minority term is a Maltsev
// term; for them only the cheap refutations at pairs of elements are
// tried, their own searches being no larger.
std::optional<ConditionResult> refutedThroughWeaker(SearchContext& ctx, Condition c, int32_t k) {
  const int32_t bound = conditionInfo(Condition::kDistributive).defaultK;
  std::optional<ConditionReason> why;
  if (c == Condition::kNearUnanimity && k > 3) {
    ConditionResult d = decideIn(ctx, Condition::kDistributive, bound);
    if (ctx.poll().progress().stopped()) {
      d.reason.kind = ConditionReason::Kind::kStopped;
      return d;
    }
    if (d.verdict == Verdict::kFails && d.reason.kind != ConditionReason::Kind::kBound) why = std::move(d.reason);
  } else if (c == Condition::kMajority || c == Condition::kPixley) {
    why = jonssonChainFailsAtPair(ctx);
  } else if (c == Condition::kMinority) {
    if (std::optional<ConditionReason> local = refuteLocally(ctx, maltsevCondition())) {
      return failsThrough(Condition::kMaltsev, 0, std::move(*local));
    }
  }
  if (ctx.poll().progress().stopped()) {
    ConditionResult r;
    r.reason.kind = ConditionReason::Kind::kStopped;
    return r;
  }
  if (!why) return std::nullopt;
  return failsThrough(Condition::kDistributive, bound, std::move(*why));
}

ConditionResult decideIn(SearchContext& ctx, Condition c, int32_t k) {
  const AlgebraView& a = ctx.algebra();
  if (a.card() <= 1) return trivially(c, k);
  if (impliesMeetSemidistributive(c)) {
    if (std::optional<ConditionReason> abelian = abelianSubalgebra(ctx)) {
      ConditionResult r;
      r.verdict = Verdict::kFails;
      r.reason = std::move(*abelian);
      return r;
    }
  }
  if (std::optional<ConditionResult> implied = refutedThroughWeaker(ctx, c, k)) return std::move(*implied);
  if (a.card() >= kLeastForSubalgebras) {
    if (std::optional<ConditionResult> sub = failingSubalgebra(ctx, c, k)) return std::move(*sub);
  }
  if (ctx.poll().progress().stopped()) {
    ConditionResult r;
    r.reason.kind = ConditionReason::Kind::kStopped;
    return r;
  }
  return search(ctx, c, k);
}

}  // namespace

ConditionResult decideCondition(const AlgebraView& a, Condition c, int32_t k, Progress& progress) {
  SearchContext ctx(a, progress);
  ConditionResult r = decideIn(ctx, c, k);
  r.condition = c;
  r.k = k;
  if (progress.stopped()) {
    r.verdict = Verdict::kUndecided;
    r.reason.kind = ConditionReason::Kind::kStopped;
  }
  return r;
}

std::vector<ConditionResult> decideAllConditions(const AlgebraView& a, Progress& progress) {
  std::vector<ConditionResult> out;
  SearchContext ctx(a, progress);
  for (const ConditionInfo& info : conditionTable()) {
    if (info.condition == Condition::kAll) continue;
    ConditionResult r = decideIn(ctx, info.condition, info.defaultK);
    r.condition = info.condition;
    r.k = info.defaultK;
    if (progress.stopped()) return {};
    out.push_back(std::move(r));
  }
  return out;
}

std::vector<std::pair<Condition, Condition>> contradictedImplications(const std::vector<ConditionResult>& results) {
  static const std::pair<Condition, Condition> kImplications[] = {
      {Condition::kMaltsev, Condition::kModular},        {Condition::kDistributive, Condition::kModular},
      {Condition::kMajority, Condition::kNearUnanimity}, {Condition::kNearUnanimity, Condition::kDistributive},
      {Condition::kMajority, Condition::kDistributive},  {Condition::kPixley, Condition::kMaltsev},
      {Condition::kPixley, Condition::kMajority},        {Condition::kMinority, Condition::kMaltsev},
      {Condition::kMaltsev, Condition::kTaylor},         {Condition::kModular, Condition::kTaylor},
      {Condition::kDistributive, Condition::kTaylor},    {Condition::kMajority, Condition::kTaylor},
      {Condition::kNearUnanimity, Condition::kTaylor},   {Condition::kPixley, Condition::kTaylor},
      {Condition::kSemilattice, Condition::kTaylor},     {Condition::kWeakNearUnanimity, Condition::kTaylor},
      {Condition::kSdMeet, Condition::kTaylor},
  };
  auto find = [&](Condition c) -> const ConditionResult* {
    for (const ConditionResult& r : results) {
      if (r.condition == c) return &r;
    }
    return nullptr;
  };
  std::vector<std::pair<Condition, Condition>> out;
  for (const auto& [premise, conclusion] : kImplications) {
    const ConditionResult* p = find(premise);
    const ConditionResult* q = find(conclusion);
    // A failure up to a bound contradicts nothing: a longer chain may exist.
    if (p && q && p->verdict == Verdict::kHolds && q->verdict == Verdict::kFails &&
        q->reason.kind != ConditionReason::Kind::kBound) {
      out.emplace_back(premise, conclusion);
    }
  }
  return out;
}

}  // namespace kest
