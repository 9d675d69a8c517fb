#include "conditions/nonlinear_conditions.h"

#include <unordered_map>

#include "conditions/linear_conditions.h"

namespace kest {

namespace {

constexpr int32_t X = 0;
constexpr int32_t Y = 1;

// Whether the binary term operation t (its table on A, x slow) is a
// semilattice operation: idempotent, commutative, associative.
bool semilatticeTable(const int32_t* t, int32_t n) {
  for (int32_t a = 0; a < n; ++a) {
    if (t[a * n + a] != a) return false;
    for (int32_t b = 0; b < a; ++b) {
      if (t[a * n + b] != t[b * n + a]) return false;
    }
  }
  for (int32_t a = 0; a < n; ++a) {
    for (int32_t b = 0; b < n; ++b) {
      const int32_t ab = t[a * n + b];
      for (int32_t c = 0; c < n; ++c) {
        if (t[ab * n + c] != t[a * n + t[b * n + c]]) return false;
      }
    }
  }
  return true;
}

// Whether s satisfies the Siggers identities on A.
bool siggersOnA(const WitnessTerm& s, const AlgebraView& a) {
  const int32_t n = a.card();
  for (int32_t x = 0; x < n; ++x) {
    if (evaluateTerm(s, a, {x, x, x, x}) != x) return false;
    for (int32_t y = 0; y < n; ++y) {
      for (int32_t z = 0; z < n; ++z) {
        if (evaluateTerm(s, a, {x, y, x, z}) != evaluateTerm(s, a, {y, x, z, y})) return false;
      }
    }
  }
  return true;
}

}  // namespace

ConditionResult searchSemilattice(SearchContext& ctx) {
  // Every binary term, known by its table, until one is a semilattice operation.
  ProfileClosure c(ctx.algebra(), ctx.spaces(), {instanceOf({X, Y})}, 2, kMostProfiles);
  TermTables& f2 = ctx.space(2);
  const int32_t n = ctx.algebra().card();
  size_t hit = 0;
  const ProfileClosure::Outcome o = c.close(
      [&](size_t i) {
        hit = i;
        return semilatticeTable(f2.table(c.profile(i)[0]), n);
      },
      ctx.poll());
  ConditionResult r = resultOf(o, c);
  if (r.verdict == Verdict::kHolds) r.terms.push_back(c.term(hit, "t"));
  return r;
}

ConditionResult searchSdMeet(SearchContext& ctx) {
  // w(x,y,z) and v(x,y,z,u), weak near-unanimity, with w(y,x,x) = v(y,x,x,x):
  // both closures run by turns, each recording the w(y,x,x) (v(y,x,x,x)) of
  // its weak near-unanimity terms, until one value turns up in both.
  const TermCondition conditions[2] = {weakNearUnanimityCondition(3), weakNearUnanimityCondition(4)};
  ProfileClosure w(ctx.algebra(), ctx.spaces(), conditions[0].instances, 3, kMostProfiles, true);
  ProfileClosure v(ctx.algebra(), ctx.spaces(), conditions[1].instances, 4, kMostProfiles, true);
  ProfileClosure* closures[2] = {&w, &v};
  std::unordered_map<int32_t, size_t> found[2];
  size_t match[2] = {0, 0};
  ProfileClosure::Outcome outcome[2] = {ProfileClosure::Outcome::kStopped, ProfileClosure::Outcome::kStopped};
  bool done[2] = {false, false};
  constexpr size_t kTurn = 512;
  while (!done[0] || !done[1]) {
    for (int side = 0; side < 2; ++side) {
      if (done[side]) continue;
      ProfileClosure& c = *closures[side];
      const size_t until = c.size() + kTurn;
      bool matched = false;
      outcome[side] = c.close(
          [&](size_t i) {
            if (meets(conditions[side], c, i)) {
              const int32_t key = c.profile(i)[1];
              found[side].emplace(key, i);
              if (const auto it = found[1 - side].find(key); it != found[1 - side].end()) {
                match[side] = i;
                match[1 - side] = it->second;
                matched = true;
                return true;
              }
            }
            return c.size() >= until;
          },
          ctx.poll());
      if (matched) {
        ConditionResult r;
        r.verdict = Verdict::kHolds;
        r.terms.push_back(w.term(match[0], "w"));
        r.terms.push_back(v.term(match[1], "v"));
        return r;
      }
      if (outcome[side] != ProfileClosure::Outcome::kFound) done[side] = true;
      if (outcome[side] == ProfileClosure::Outcome::kTooLarge || outcome[side] == ProfileClosure::Outcome::kTooLong ||
          outcome[side] == ProfileClosure::Outcome::kStopped) {
        return resultOf(outcome[side], c);
      }
    }
  }
  ConditionResult r;
  r.verdict = Verdict::kFails;
  r.reason.kind = ConditionReason::Kind::kExhausted;
  r.reason.size = w.elementCount() + v.elementCount();
  r.reason.power = 0;
  return r;
}

ConditionResult searchTaylor(SearchContext& ctx) {
  const AlgebraView& a = ctx.algebra();
  // From a Maltsev term p, s(a,b,c,d) = p(c,a,d): s(x,y,x,z) = p(x,x,z) = z
  // and s(y,x,z,y) = p(z,y,y) = z. From a semilattice term t,
  // s = t(t(a,b),t(c,d)), the join of all four.
  const ConditionResult maltsev = searchTerm(ctx, maltsevCondition(), "p");
  if (maltsev.reason.kind == ConditionReason::Kind::kStopped) return maltsev;
  auto holds = [](WitnessTerm s) {
    ConditionResult r;
    r.verdict = Verdict::kHolds;
    r.terms.push_back(std::move(s));
    return r;
  };
  if (maltsev.verdict == Verdict::kHolds) {
    WitnessTerm s = substituteVariables(maltsev.terms[0], {2, 0, 3}, 4, "s");
    if (siggersOnA(s, a)) return holds(std::move(s));
  }
  const ConditionResult semilattice = searchSemilattice(ctx);
  if (semilattice.reason.kind == ConditionReason::Kind::kStopped) return semilattice;
  if (semilattice.verdict == Verdict::kHolds) {
    const WitnessTerm& t = semilattice.terms[0];
    const WitnessTerm ab = substituteVariables(t, {0, 1}, 4, "ab");
    const WitnessTerm cd = substituteVariables(t, {2, 3}, 4, "cd");
    WitnessTerm s = composeTerms(t, {ab, cd}, "s");
    if (siggersOnA(s, a)) return holds(std::move(s));
  }
  ConditionResult r = searchTerm(ctx, siggersCondition(), "s");
  if (r.verdict == Verdict::kFails) r.reason.variables = 3;
  return r;
}

}  // namespace kest
