// A plain barycentre layering of a Hasse diagram, the yardstick of the
// layered drawing: levels by the longest chain below, a dummy vertex where
// a cover passes a level, each level first in the order of its vertices'
// numbers, then four rounds of barycentre sweeps (up, then down), keeping
// the round with the fewest crossings. Crossings are counted pair by pair.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace kest::oracle {

int64_t plainBarycentreCrossings(int32_t count, const std::vector<std::pair<int32_t, int32_t>>& covers);

}  // namespace kest::oracle
