// Reconstructible places: the cells (x, y) of the first binary table of a
// complete algebra whose value the listed formulas force, in that no other
// element written there (everything else kept) satisfies them all.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/progress.h"
#include "core/workspace.h"

namespace kest {

// One mark per place, row-major: 1 reconstructible. Nothing when the
// signature has no binary operation, the algebra is partial, or it fails a
// listed formula. The table is left as it was (also when stopped).
struct Reconstruction {
  bool interrupted = false;
  std::optional<std::vector<uint8_t>> marks;
};
Reconstruction reconstructiblePlaces(Workspace& ws, int32_t k, Progress& progress = noProgress());

}  // namespace kest
