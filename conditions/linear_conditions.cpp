#include "conditions/linear_conditions.h"

namespace kest {

namespace {

constexpr int32_t X = 0;
constexpr int32_t Y = 1;
constexpr int32_t Z = 2;

TermCondition withTargets(int32_t arity, const std::vector<std::vector<int32_t>>& patterns,
                          std::vector<int32_t> target) {
  TermCondition c;
  c.arity = arity;
  for (const std::vector<int32_t>& p : patterns) c.instances.push_back(instanceOf(p));
  c.target = std::move(target);
  return c;
}

TermCondition symmetric(TermCondition c) {
  c.symmetric = true;
  return c;
}

// All x but argument i, which is y.
std::vector<int32_t> yAt(int32_t k, int32_t i) {
  std::vector<int32_t> p(static_cast<size_t>(k), X);
  p[static_cast<size_t>(i)] = Y;
  return p;
}

}  // namespace

TermCondition maltsevCondition() { return withTargets(3, {{X, Y, Y}, {X, X, Y}}, {X, Y}); }
TermCondition majorityCondition() { return symmetric(withTargets(3, {{X, X, Y}, {X, Y, X}, {Y, X, X}}, {X, X, X})); }
TermCondition minorityCondition() { return symmetric(withTargets(3, {{X, X, Y}, {X, Y, X}, {Y, X, X}}, {Y, Y, Y})); }
TermCondition pixleyCondition() { return withTargets(3, {{X, Y, Y}, {X, X, Y}, {X, Y, X}}, {X, Y, X}); }
TermCondition jonssonMiddleCondition() { return withTargets(3, {{X, Y, X}, {X, X, Y}, {X, Y, Y}}, {X, X, Y}); }

TermCondition nearUnanimityCondition(int32_t k) {
  std::vector<std::vector<int32_t>> patterns;
  for (int32_t i = 0; i < k; ++i) patterns.push_back(yAt(k, i));
  return symmetric(withTargets(k, patterns, std::vector<int32_t>(static_cast<size_t>(k), X)));
}

TermCondition weakNearUnanimityCondition(int32_t k) {
  std::vector<std::vector<int32_t>> patterns{std::vector<int32_t>(static_cast<size_t>(k), X)};
  std::vector<int32_t> group;
  for (int32_t i = 0; i < k; ++i) {
    patterns.push_back(yAt(k, i));
    group.push_back(i + 1);
  }
  TermCondition c = withTargets(k, patterns, std::vector<int32_t>(static_cast<size_t>(k) + 1, -1));
  c.target[0] = X;
  c.equal.push_back(group);
  return symmetric(c);
}

TermCondition siggersCondition() {
  TermCondition c = withTargets(4, {{X, X, X, X}, {X, Y, X, Z}, {Y, X, Z, Y}}, {X, -1, -1});
  c.equal.push_back({1, 2});
  return c;
}

std::optional<TermCondition> searchedCondition(Condition c, int32_t k) {
  auto chain = [](const std::vector<std::vector<int32_t>>& patterns) {
    return withTargets(3, patterns, std::vector<int32_t>(patterns.size(), -1));
  };
  switch (c) {
    case Condition::kMaltsev: return maltsevCondition();
    case Condition::kPermutable: return chain({{X, X, Y}, {X, Y, Y}});
    case Condition::kDistributive:
    case Condition::kModular: return chain({{X, Y, X}, {X, X, Y}, {X, Y, Y}});
    case Condition::kMajority: return majorityCondition();
    case Condition::kMinority: return minorityCondition();
    case Condition::kPixley: return pixleyCondition();
    case Condition::kNearUnanimity: return nearUnanimityCondition(k);
    case Condition::kWeakNearUnanimity: return weakNearUnanimityCondition(k);
    case Condition::kTaylor: return siggersCondition();
    default: return std::nullopt;
  }
}

}  // namespace kest
