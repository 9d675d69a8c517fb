#include "commands/task_names.h"

namespace kest {

namespace {

std::string algebraName(int32_t k) { return "A" + std::to_string(k); }

}  // namespace

std::string keyTaskName(const Workspace& ws, int32_t key, int32_t k) {
  const std::string a = algebraName(k);
  switch (key) {
    case 'a': return "Abelianness of " + a;
    case 'C': return "Copy of " + a;
    case 'e': return "Embedding of " + algebraName(ws.redMarked) + " into " + algebraName(ws.greenMarked);
    case 'i': return "Minimal congruences of " + a;
    case 'k': return "Conservativity of " + a;
    case 'l': return "Lattice properties of " + a;
    case 'r': return "Reconstructible places of " + a;
    case 's': return "Satisfaction in " + a;
    case 'u': return "Completion of " + a;
    case 'x': return "Free algebra over " + a;
    case 'z': return "Closure and factor of " + a;
    default: return "";
  }
}

std::string modeTaskName(const Workspace& ws, InputMode mode) {
  const std::string target = algebraName(ws.keyTarget);
  const std::string red = algebraName(ws.redMarked);
  switch (mode) {
    case InputMode::kCongruence: return "Congruence of " + target;
    case InputMode::kFactor: return "Factor algebra of " + target;
    case InputMode::kSubuniverse: return "Subuniverse of " + target;
    case InputMode::kSubalgebra: return "Subalgebra of " + red;
    case InputMode::kProduct: return "Product of " + red + " and " + algebraName(ws.greenMarked);
    case InputMode::kSubproduct: return "Subalgebra of " + red + " x " + algebraName(ws.greenMarked);
    case InputMode::kFreeInHsp: return "Free algebra in HSP(" + red + ")";
    case InputMode::kFreeOverPartial: return "Free algebra over " + red;
    case InputMode::kExtendMap: return "Extension of a map from " + red + " to " + algebraName(ws.greenMarked);
    case InputMode::kCongruenceLattice: return "Congruence lattice of " + red;
    case InputMode::kSubuniverseLattice: return "Subalgebra lattice of " + red;
    default: return "";
  }
}

}  // namespace kest
