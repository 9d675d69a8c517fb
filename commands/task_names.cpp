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

std::string modeTaskName(const Workspace& ws, char mode) {
  const std::string target = algebraName(ws.keyTarget);
  const std::string red = algebraName(ws.redMarked);
  switch (mode) {
    case 'c': return "Congruence of " + target;
    case 'f': return "Factor algebra of " + target;
    case 'g': return "Subuniverse of " + target;
    case '\0': return "Subalgebra of " + red;
    case 'p': return "Product of " + red + " and " + algebraName(ws.greenMarked);
    case '2': return "Subalgebra of " + red + " x " + algebraName(ws.greenMarked);
    case 'G': return "Free algebra in HSP(" + red + ")";
    case 'F': return "Free algebra over " + red;
    case 'X': return "Extension of a map from " + red + " to " + algebraName(ws.greenMarked);
    case 'K': return "Congruence lattice of " + red;
    case 'U': return "Subalgebra lattice of " + red;
    default: return "";
  }
}

}  // namespace kest
