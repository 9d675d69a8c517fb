#include "conditions/local_refutation.h"

#include "structure/row_set.h"

namespace kest {

namespace {

// The most tuples one local subalgebra may hold, and the most tuples all
// of them together may cost.
constexpr int64_t kMostTuples = int64_t{1} << 16;
constexpr int64_t kMostWork = int64_t{1} << 24;

// The tuple of values at (a, b) that the profile condition asks for is
// met by tuple t.
bool meetsAt(const TermCondition& c, const int32_t* t, int32_t a, int32_t b) {
  for (size_t j = 0; j < c.target.size(); ++j) {
    if (c.target[j] >= 0 && t[j] != (c.target[j] == 0 ? a : b)) return false;
  }
  for (const std::vector<int32_t>& group : c.equal) {
    for (size_t g = 1; g < group.size(); ++g) {
      if (t[group[g]] != t[group[0]]) return false;
    }
  }
  return true;
}

}  // namespace

std::optional<bool> closeTuplesAt(SearchContext& ctx, const TermCondition& c, int32_t a, int32_t b,
                                  RowSet<int32_t>& tuples, std::vector<std::vector<int32_t>>& generators, int64_t& work,
                                  const std::function<bool(const int32_t*)>& stopAt) {
  const AlgebraView& A = ctx.algebra();
  const size_t k = c.instances.size();
  std::vector<int32_t> t(k);
  auto add = [&]() {
    const bool fresh = tuples.insert(t.data()).second;
    ++work;
    return fresh && stopAt(t.data());
  };
  generators.clear();
  for (int32_t i = 0; i < c.arity; ++i) {
    for (size_t j = 0; j < k; ++j) t[j] = c.instances[j].pattern[static_cast<size_t>(i)] == 0 ? a : b;
    generators.push_back(t);
    if (add()) return true;
  }
  for (int32_t cst = 0; cst < A.constantCount(); ++cst) {
    for (size_t j = 0; j < k; ++j) t[j] = A.constant(cst);
    if (add()) return true;
  }
  const int32_t binaries = A.binaryCount();
  for (size_t e = 0; e < tuples.size(); ++e) {
    if (ctx.poll().add(static_cast<int64_t>(e + 1) * k * (binaries + 1))) return std::nullopt;
    if (static_cast<int64_t>(tuples.size()) > kMostTuples || work > kMostWork) return std::nullopt;
    for (int32_t u = binaries; u < binaries + A.unaryCount(); ++u) {
      for (size_t j = 0; j < k; ++j) t[j] = A.unary(u, tuples.row(e)[j]);
      if (add()) return true;
    }
    for (size_t f = 0; f <= e; ++f) {
      for (int32_t op = 0; op < binaries; ++op) {
        for (int side = 0; side < 2; ++side) {
          const int32_t* l = tuples.row(side == 0 ? e : f);
          const int32_t* r = tuples.row(side == 0 ? f : e);
          for (size_t j = 0; j < k; ++j) t[j] = A.binary(op, l[j], r[j]);
          if (add()) return true;
        }
      }
    }
  }
  return false;
}

std::optional<ConditionReason> atEachPair(SearchContext& ctx, const TermCondition& c, const PairStop& stopAt,
                                          const PairJudge& judge) {
  const int32_t n = ctx.algebra().card();
  int64_t work = 0;
  std::vector<std::vector<int32_t>> generators;
  for (int32_t a = 0; a < n; ++a) {
    for (int32_t b = 0; b < n; ++b) {
      if (a == b) continue;
      RowSet<int32_t> tuples(c.instances.size(), INT64_MAX);
      const std::optional<bool> reached =
          closeTuplesAt(ctx, c, a, b, tuples, generators, work, [&](const int32_t* t) { return stopAt(a, b, t); });
      if (!reached) return std::nullopt;
      if (std::optional<ConditionReason> r = judge(a, b, *reached, tuples, generators)) return r;
    }
  }
  return std::nullopt;
}

std::optional<ConditionReason> refuteLocally(SearchContext& ctx, const TermCondition& c) {
  for (const Instance& in : c.instances) {
    if (in.space > 1) return std::nullopt;
  }
  return atEachPair(
      ctx, c, [&](int32_t a, int32_t b, const int32_t* t) { return meetsAt(c, t, a, b); },
      [&](int32_t a, int32_t b, bool reached, const RowSet<int32_t>& tuples,
          const std::vector<std::vector<int32_t>>& generators) -> std::optional<ConditionReason> {
        if (reached) return std::nullopt;
        ConditionReason r;
        r.kind = ConditionReason::Kind::kLocal;
        r.power = static_cast<int32_t>(c.instances.size());
        r.tuples = generators;
        for (int32_t v : c.target) r.target.push_back(v < 0 ? -1 : v == 0 ? a : b);
        r.size = static_cast<int64_t>(tuples.size());
        return r;
      });
}

}  // namespace kest
