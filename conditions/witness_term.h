// A term found by a search, as the steps that built it: each step is a
// variable, a constant or an operation applied to earlier steps, so shared
// subterms are kept once (printing expands them). The last step is the term.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kest {

struct WitnessStep {
  enum class Kind : char { kVariable, kConstant, kOperation };
  Kind kind = Kind::kVariable;
  int32_t index = 0;  // variable (0-based), constant, or operation
  int32_t left = -1;  // earlier steps; right unused for a unary operation
  int32_t right = -1;
};

struct WitnessTerm {
  std::string name;  // "p", "d1", ...
  int32_t arity = 0;
  std::vector<WitnessStep> steps;

  static WitnessTerm variable(std::string name, int32_t arity, int32_t v) {
    return {std::move(name), arity, {{WitnessStep::Kind::kVariable, v, -1, -1}}};
  }
};

}  // namespace kest
