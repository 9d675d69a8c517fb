#include <algorithm>

#include "conditions/local_refutation.h"
#include "conditions/search_context.h"

namespace kest {

TermTables& SearchContext::space(int32_t variables) {
  std::unique_ptr<TermTables>& s = spaces_[variables - 1];
  if (!s) s = std::make_unique<TermTables>(a_, variables, kMostTableEntries, poll_);
  return *s;
}

std::vector<TermTables*> SearchContext::spaces() { return {&space(1), &space(2), &space(3)}; }

Instance instanceOf(std::vector<int32_t> pattern) {
  const int32_t most = pattern.empty() ? 0 : *std::max_element(pattern.begin(), pattern.end());
  return {most, std::move(pattern)};
}

bool meets(const TermCondition& c, ProfileClosure& closure, size_t i) {
  const int32_t* p = closure.profile(i);
  for (size_t j = 0; j < c.target.size(); ++j) {
    if (c.target[j] < 0) continue;
    if (p[j] != closure.variableIn(static_cast<int32_t>(j), c.target[j])) return false;
  }
  for (const std::vector<int32_t>& group : c.equal) {
    for (size_t g = 1; g < group.size(); ++g) {
      if (p[group[g]] != p[group[0]]) return false;
    }
  }
  return true;
}

ConditionResult resultOf(ProfileClosure::Outcome o, const ProfileClosure& c) {
  ConditionResult r;
  switch (o) {
    case ProfileClosure::Outcome::kFound: r.verdict = Verdict::kHolds; break;
    case ProfileClosure::Outcome::kComplete:
      r.verdict = Verdict::kFails;
      r.reason.kind = ConditionReason::Kind::kExhausted;
      r.reason.power = static_cast<int32_t>(c.width());
      break;
    case ProfileClosure::Outcome::kTooLarge: r.reason.kind = ConditionReason::Kind::kTooLarge; break;
    case ProfileClosure::Outcome::kTooLong:
      r.reason.kind = ConditionReason::Kind::kTooLong;
      r.reason.products = c.products();
      break;
    case ProfileClosure::Outcome::kStopped: r.reason.kind = ConditionReason::Kind::kStopped; break;
  }
  r.reason.size = c.elementCount();
  return r;
}

ConditionResult searchTerm(SearchContext& ctx, const TermCondition& c, const char* name) {
  ConditionResult result;
  if (std::optional<ConditionReason> local = refuteLocally(ctx, c)) {
    result.verdict = Verdict::kFails;
    result.reason = std::move(*local);
    return result;
  }
  if (ctx.poll().progress().stopped()) {
    result.reason.kind = ConditionReason::Kind::kStopped;
    return result;
  }
  ProfileClosure closure(ctx.algebra(), ctx.spaces(), c.instances, c.arity, kMostProfiles, c.symmetric);
  size_t hit = 0;
  const ProfileClosure::Outcome o = closure.close(
      [&](size_t i) {
        hit = i;
        return meets(c, closure, i);
      },
      ctx.poll());
  result = resultOf(o, closure);
  if (result.verdict == Verdict::kHolds) result.terms.push_back(closure.term(hit, name));
  return result;
}

}  // namespace kest
