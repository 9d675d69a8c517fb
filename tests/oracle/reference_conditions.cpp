#include "tests/oracle/reference_conditions.h"

#include <functional>
#include <map>
#include <set>
#include <vector>

namespace kest::oracle {

bool always(int32_t n, const std::function<bool(int32_t, int32_t, int32_t)>& id) {
  for (int32_t x = 0; x < n; ++x) {
    for (int32_t y = 0; y < n; ++y) {
      for (int32_t z = 0; z < n; ++z) {
        if (!id(x, y, z)) return false;
      }
    }
  }
  return true;
}

std::vector<int32_t> yAt(int32_t k, int32_t i, int32_t x, int32_t y) {
  std::vector<int32_t> args(static_cast<size_t>(k), x);
  args[static_cast<size_t>(i)] = y;
  return args;
}

namespace {

using Table = std::vector<int32_t>;  // values on A^r, first argument slowest

// All r-ary term operations, or those made until one satisfies found;
// nothing past most of them.
std::optional<std::vector<Table>> clone(const AlgebraView& a, int32_t r, size_t most,
                                        const std::function<bool(const Table&)>& found = nullptr) {
  const int32_t n = a.card();
  int64_t size = 1;
  for (int32_t i = 0; i < r; ++i) size *= n;
  std::set<Table> seen;
  std::vector<Table> all;
  bool done = false;
  auto add = [&](Table t) {
    if (done || !seen.insert(t).second) return;
    done = found && found(t);
    all.push_back(std::move(t));
  };
  for (int32_t i = 0; i < r; ++i) {
    Table t(static_cast<size_t>(size));
    for (int64_t s = 0; s < size; ++s) {
      int64_t rest = s;
      for (int32_t j = r - 1; j > i; --j) rest /= n;
      t[static_cast<size_t>(s)] = static_cast<int32_t>(rest % n);
    }
    add(t);
  }
  for (int32_t c = 0; c < a.constantCount(); ++c) add(Table(static_cast<size_t>(size), a.constant(c)));
  for (size_t i = 0; i < all.size() && !done; ++i) {
    if (all.size() > most) return std::nullopt;
    for (int32_t u = a.binaryCount(); u < a.binaryCount() + a.unaryCount(); ++u) {
      Table t(static_cast<size_t>(size));
      for (int64_t s = 0; s < size; ++s) t[static_cast<size_t>(s)] = a.unary(u, all[i][static_cast<size_t>(s)]);
      add(t);
    }
    for (size_t j = 0; j <= i; ++j) {
      for (int32_t op = 0; op < a.binaryCount(); ++op) {
        for (int side = 0; side < 2; ++side) {
          const Table& l = all[side ? j : i];
          const Table& rr = all[side ? i : j];
          Table t(static_cast<size_t>(size));
          for (int64_t s = 0; s < size; ++s)
            t[static_cast<size_t>(s)] = a.binary(op, l[static_cast<size_t>(s)], rr[static_cast<size_t>(s)]);
          add(t);
        }
      }
    }
  }
  return all;
}

// The value of table t at arguments args.
int32_t at(const Table& t, const std::vector<int32_t>& args, int32_t n) {
  int64_t s = 0;
  for (int32_t v : args) s = s * n + v;
  return t[static_cast<size_t>(s)];
}

bool nearUnanimity(const Table& t, int32_t n, int32_t k, bool weak) {
  return always(n, [&](int32_t x, int32_t y, int32_t) {
    if (weak && at(t, std::vector<int32_t>(static_cast<size_t>(k), x), n) != x) return false;
    for (int32_t i = 0; i < k; ++i) {
      const int32_t v = at(t, yAt(k, i, x, y), n);
      if (weak ? v != at(t, yAt(k, 0, x, y), n) : v != x) return false;
    }
    return true;
  });
}

// The least n of a chain through the ternary operations (start, then a
// step from f to g when link(i, f, g), ending where done), up to most.
std::optional<int32_t> chain(const std::vector<Table>& ternary, size_t start, int32_t most,
                             const std::function<bool(int32_t, const Table&, const Table&)>& link,
                             const std::function<bool(const Table&)>& valid,
                             const std::function<bool(const Table&)>& done) {
  std::vector<size_t> now{start};
  std::set<std::pair<size_t, int32_t>> seen{{start, 0}};
  for (int32_t steps = 0; steps <= most; ++steps) {
    std::vector<size_t> next;
    for (size_t f : now) {
      if (done(ternary[f])) return steps;
      for (size_t g = 0; g < ternary.size(); ++g) {
        if (!valid(ternary[g]) || !link(steps, ternary[f], ternary[g])) continue;
        if (seen.insert({g, (steps + 1) % 2}).second) next.push_back(g);
      }
    }
    now = std::move(next);
  }
  return std::nullopt;
}

// The chain conditions over the listed ternary operations.
std::optional<ReferenceVerdict> referenceChain(const AlgebraView& a, Condition c, int32_t k,
                                               const std::vector<Table>& ternary) {
  const int32_t n = a.card();
  const std::vector<Table>* ops = &ternary;
  auto t3 = [&](const Table& t, int32_t x, int32_t y, int32_t z) { return at(t, {x, y, z}, n); };
  switch (c) {
    case Condition::kPermutable: {
      // p(x,x,y) of one step is p(x,y,y) of the next.
      const std::optional<int32_t> least = chain(
          *ops, 0, k,
          [&](int32_t, const Table& f, const Table& g) {
            return always(n, [&](int32_t x, int32_t y, int32_t) { return t3(f, x, x, y) == t3(g, x, y, y); });
          },
          [](const Table&) { return true; }, [&](const Table& t) { return t == (*ops)[2]; });
      return ReferenceVerdict{least.has_value(), least.value_or(0)};
    }
    case Condition::kDistributive:
    case Condition::kModular: {
      auto link = [&](int32_t i, const Table& f, const Table& g) {
        return always(n, [&](int32_t x, int32_t y, int32_t) {
          return i % 2 == 0 ? t3(f, x, x, y) == t3(g, x, x, y) : t3(f, x, y, y) == t3(g, x, y, y);
        });
      };
      auto valid = [&](const Table& t) {
        return always(n, [&](int32_t x, int32_t y, int32_t) { return t3(t, x, y, x) == x; });
      };
      std::function<bool(const Table&)> done = [&](const Table& t) { return t == (*ops)[2]; };
      if (c == Condition::kModular) {
        done = [&](const Table& m) {
          for (const Table& q : *ops) {
            if (always(n, [&](int32_t x, int32_t y, int32_t) {
                  return t3(q, x, x, y) == y && t3(m, x, y, y) == t3(q, x, y, y);
                }))
              return true;
          }
          return false;
        };
      }
      const std::optional<int32_t> least = chain(*ops, 0, c == Condition::kModular ? k - 2 : k, link, valid, done);
      return ReferenceVerdict{least.has_value(), least.value_or(0)};
    }
    default: return std::nullopt;
  }
}

}  // namespace

std::optional<ReferenceVerdict> referenceCondition(const AlgebraView& a, Condition c, int32_t k) {
  const int32_t n = a.card();
  const size_t most = 20000;
  const int32_t arity = c == Condition::kNearUnanimity || c == Condition::kWeakNearUnanimity ? k
                        : c == Condition::kTaylor                                            ? 4
                        : c == Condition::kSemilattice                                       ? 2
                                                                                             : 3;
  auto t3 = [&](const Table& t, int32_t x, int32_t y, int32_t z) { return at(t, {x, y, z}, n); };
  // One term: the clone is listed until a term satisfies the identities.
  auto any = [&](const std::function<bool(const Table&)>& ok) -> std::optional<ReferenceVerdict> {
    bool holds = false;
    if (!clone(a, arity, most, [&](const Table& t) { return holds = holds || ok(t); })) return std::nullopt;
    return ReferenceVerdict{holds, 0};
  };
  const bool chains = c == Condition::kPermutable || c == Condition::kDistributive || c == Condition::kModular;
  const std::optional<std::vector<Table>> ops = chains ? clone(a, arity, most) : std::vector<Table>{};
  if (!ops) return std::nullopt;
  const auto maltsev = [&](const Table& t) {
    return always(n, [&](int32_t x, int32_t y, int32_t) { return t3(t, x, y, y) == x && t3(t, x, x, y) == y; });
  };
  switch (c) {
    case Condition::kMaltsev: return any(maltsev);
    case Condition::kMajority:
      return any([&](const Table& t) {
        return always(n, [&](int32_t x, int32_t y, int32_t) {
          return t3(t, x, x, y) == x && t3(t, x, y, x) == x && t3(t, y, x, x) == x;
        });
      });
    case Condition::kMinority:
      return any([&](const Table& t) {
        return always(n, [&](int32_t x, int32_t y, int32_t) {
          return t3(t, x, x, y) == y && t3(t, x, y, x) == y && t3(t, y, x, x) == y;
        });
      });
    case Condition::kPixley:
      return any([&](const Table& t) {
        return maltsev(t) && always(n, [&](int32_t x, int32_t y, int32_t) { return t3(t, x, y, x) == x; });
      });
    case Condition::kNearUnanimity: return any([&](const Table& t) { return nearUnanimity(t, n, k, false); });
    case Condition::kWeakNearUnanimity: return any([&](const Table& t) { return nearUnanimity(t, n, k, true); });
    case Condition::kSemilattice:
      return any([&](const Table& t) {
        return always(n, [&](int32_t x, int32_t y, int32_t z) {
          return at(t, {x, x}, n) == x && at(t, {x, y}, n) == at(t, {y, x}, n) &&
                 at(t, {at(t, {x, y}, n), z}, n) == at(t, {x, at(t, {y, z}, n)}, n);
        });
      });
    case Condition::kTaylor:
      return any([&](const Table& t) {
        return always(n, [&](int32_t x, int32_t y, int32_t z) {
          return at(t, {x, x, x, x}, n) == x && at(t, {x, y, x, z}, n) == at(t, {y, x, z, y}, n);
        });
      });
    case Condition::kPermutable:
    case Condition::kDistributive:
    case Condition::kModular: return referenceChain(a, c, k, *ops);
    default: return std::nullopt;
  }
}

}  // namespace kest::oracle
