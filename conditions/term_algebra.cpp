// Building terms from terms and evaluating them, for the terms that are
// read off others rather than searched for.
#include "conditions/nonlinear_conditions.h"

namespace kest {

WitnessTerm substituteVariables(const WitnessTerm& t, const std::vector<int32_t>& map, int32_t arity,
                                std::string name) {
  WitnessTerm out = t;
  out.name = std::move(name);
  out.arity = arity;
  for (WitnessStep& s : out.steps) {
    if (s.kind == WitnessStep::Kind::kVariable) s.index = map[static_cast<size_t>(s.index)];
  }
  return out;
}

WitnessTerm composeTerms(const WitnessTerm& outer, const std::vector<WitnessTerm>& inner, std::string name) {
  WitnessTerm out{std::move(name), inner.empty() ? 0 : inner[0].arity, {}};
  // The inner terms' steps first; each one's last step is its value.
  std::vector<int32_t> root;
  for (const WitnessTerm& t : inner) {
    const int32_t base = static_cast<int32_t>(out.steps.size());
    for (WitnessStep s : t.steps) {
      if (s.kind == WitnessStep::Kind::kOperation) {
        s.left += base;
        s.right += base;
      }
      out.steps.push_back(s);
    }
    root.push_back(static_cast<int32_t>(out.steps.size()) - 1);
  }
  std::vector<int32_t> at(outer.steps.size());
  for (size_t i = 0; i < outer.steps.size(); ++i) {
    const WitnessStep& s = outer.steps[i];
    if (s.kind == WitnessStep::Kind::kVariable) {
      at[i] = root[static_cast<size_t>(s.index)];
      continue;
    }
    WitnessStep copy = s;
    if (s.kind == WitnessStep::Kind::kOperation) {
      copy.left = at[static_cast<size_t>(s.left)];
      copy.right = s.right < 0 ? -1 : at[static_cast<size_t>(s.right)];
    }
    at[i] = static_cast<int32_t>(out.steps.size());
    out.steps.push_back(copy);
  }
  // The outer term's value must be the last step.
  if (!outer.steps.empty() && at.back() != static_cast<int32_t>(out.steps.size()) - 1) {
    const WitnessStep last = out.steps[static_cast<size_t>(at.back())];
    out.steps.push_back(last);
  }
  return out;
}

int32_t evaluateTerm(const WitnessTerm& t, const AlgebraView& a, const std::vector<int32_t>& args) {
  std::vector<int32_t> value(t.steps.size());
  for (size_t i = 0; i < t.steps.size(); ++i) {
    const WitnessStep& s = t.steps[i];
    switch (s.kind) {
      case WitnessStep::Kind::kVariable: value[i] = args[static_cast<size_t>(s.index)]; break;
      case WitnessStep::Kind::kConstant: value[i] = a.constant(s.index); break;
      case WitnessStep::Kind::kOperation:
        value[i] = s.index < a.binaryCount()
                       ? a.binary(s.index, value[static_cast<size_t>(s.left)], value[static_cast<size_t>(s.right)])
                       : a.unary(s.index, value[static_cast<size_t>(s.left)]);
        break;
    }
  }
  return value.back();
}

}  // namespace kest
