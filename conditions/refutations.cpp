#include "conditions/refutations.h"

#include <algorithm>
#include <set>

#include "structure/abelian.h"
#include "structure/subuniverse.h"

namespace kest {

bool impliesMeetSemidistributive(Condition c) {
  switch (c) {
    case Condition::kDistributive:
    case Condition::kMajority:
    case Condition::kPixley:
    case Condition::kNearUnanimity:
    case Condition::kSdMeet: return true;
    default: return false;
  }
}

std::vector<std::vector<int32_t>> smallSubalgebras(const AlgebraView& a, size_t most, WorkPoll& poll) {
  std::set<std::vector<int32_t>> seen;
  const int32_t n = a.card();
  std::vector<uint8_t> flags(static_cast<size_t>(n), 0);
  for (int32_t e = 0; e < n; ++e) {
    std::optional<std::vector<int32_t>> list = smallOneGenerated(a, e, most, flags, poll);
    if (poll.progress().stopped()) return {};
    if (list && list->size() >= 2 && static_cast<int32_t>(list->size()) < n) seen.insert(std::move(*list));
  }
  std::vector<std::vector<int32_t>> out(seen.begin(), seen.end());
  std::stable_sort(out.begin(), out.end(), [](const auto& s, const auto& t) { return s.size() < t.size(); });
  return out;
}

const std::vector<std::vector<int32_t>>& SearchContext::subalgebrasUpTo(size_t most) {
  if (const auto it = subalgebras_.find(most); it != subalgebras_.end()) return it->second;
  std::vector<std::vector<int32_t>> found = smallSubalgebras(a_, most, poll_);
  if (poll_.progress().stopped()) {
    static const std::vector<std::vector<int32_t>> kNone;
    return kNone;
  }
  return subalgebras_.emplace(most, std::move(found)).first->second;
}

std::vector<int32_t> subalgebraTables(const AlgebraView& a, const std::vector<int32_t>& members) {
  const int32_t n = a.card();
  const int32_t m = static_cast<int32_t>(members.size());
  std::vector<int32_t> number(static_cast<size_t>(n), -1);
  for (int32_t i = 0; i < m; ++i) number[static_cast<size_t>(members[static_cast<size_t>(i)])] = i;
  const TableLayout lay{m, a.binaryCount(), a.unaryCount(), a.constantCount()};
  std::vector<int32_t> t(static_cast<size_t>(lay.size()), -1);
  for (int32_t op = 0; op < a.binaryCount(); ++op) {
    for (int32_t i = 0; i < m; ++i) {
      for (int32_t j = 0; j < m; ++j) {
        t[static_cast<size_t>(lay.binary(op, i, j))] =
            number[static_cast<size_t>(a.binary(op, members[static_cast<size_t>(i)], members[static_cast<size_t>(j)]))];
      }
    }
  }
  for (int32_t u = a.binaryCount(); u < a.binaryCount() + a.unaryCount(); ++u) {
    for (int32_t i = 0; i < m; ++i)
      t[static_cast<size_t>(lay.unary(u, i))] =
          number[static_cast<size_t>(a.unary(u, members[static_cast<size_t>(i)]))];
  }
  for (int32_t c = 0; c < a.constantCount(); ++c)
    t[static_cast<size_t>(lay.constant(c))] = number[static_cast<size_t>(a.constant(c))];
  return t;
}

std::optional<ConditionReason> abelianSubalgebra(SearchContext& ctx) {
  const AlgebraView& a = ctx.algebra();
  // The abelian test costs about m^4: subalgebras up to 64 elements, and A itself when small.
  std::vector<std::vector<int32_t>> candidates = ctx.subalgebrasUpTo(64);
  if (ctx.poll().progress().stopped()) return std::nullopt;
  if (a.card() <= 64) {
    std::vector<int32_t> all(static_cast<size_t>(a.card()));
    for (int32_t e = 0; e < a.card(); ++e) all[static_cast<size_t>(e)] = e;
    candidates.push_back(all);
  }
  for (const std::vector<int32_t>& members : candidates) {
    if (members.size() < 2) continue;
    const std::vector<int32_t> tables = subalgebraTables(a, members);
    const AlgebraView sub(static_cast<int32_t>(members.size()), tables.data(), a.signature());
    const std::optional<bool> abelian = isAbelian(sub, ctx.poll().progress());
    if (!abelian) return std::nullopt;
    if (!*abelian) continue;
    ConditionReason r;
    r.kind = ConditionReason::Kind::kAbelian;
    r.members = members;
    return r;
  }
  return std::nullopt;
}

}  // namespace kest
