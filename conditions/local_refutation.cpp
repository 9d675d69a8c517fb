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

// Closes the tuples at (a, b); whether one meets the condition (nothing
// when the closure grew too large or was stopped). work counts tuples made.
std::optional<bool> closesToTarget(SearchContext& ctx, const TermCondition& c, int32_t a, int32_t b,
                                   std::vector<std::vector<int32_t>>& generators, int64_t& size, int64_t& work) {
  const AlgebraView& A = ctx.algebra();
  const size_t k = c.instances.size();
  RowSet<int32_t> tuples(k, INT64_MAX);
  std::vector<int32_t> t(k);
  auto add = [&]() {
    const bool fresh = tuples.insert(t.data()).second;
    ++work;
    return fresh && meetsAt(c, t.data(), a, b);
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
  size = static_cast<int64_t>(tuples.size());
  return false;
}

}  // namespace

std::optional<ConditionReason> refuteLocally(SearchContext& ctx, const TermCondition& c) {
  for (const Instance& in : c.instances) {
    if (in.space > 1) return std::nullopt;
  }
  const int32_t n = ctx.algebra().card();
  int64_t work = 0;
  std::vector<std::vector<int32_t>> generators;
  for (int32_t a = 0; a < n; ++a) {
    for (int32_t b = 0; b < n; ++b) {
      if (a == b) continue;
      int64_t size = 0;
      const std::optional<bool> reached = closesToTarget(ctx, c, a, b, generators, size, work);
      if (!reached) return std::nullopt;
      if (*reached) continue;
      ConditionReason r;
      r.kind = ConditionReason::Kind::kLocal;
      r.power = static_cast<int32_t>(c.instances.size());
      r.tuples = generators;
      for (int32_t v : c.target) r.target.push_back(v < 0 ? -1 : v == 0 ? a : b);
      r.size = size;
      return r;
    }
  }
  return std::nullopt;
}

}  // namespace kest
