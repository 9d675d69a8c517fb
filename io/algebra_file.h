// One algebra in a file of its own. The single-algebra file (".t") has the
// header "S 0 0 1", the signature line, the card, the NB*n + NU table rows
// and the constants line, entries as decimal numbers right-aligned in
// fields 3 to 6 wide (by the card), -1 undefined; lines end in CR LF. The
// binary file holds S, 0, 0, 1, the S symbol bytes, n and the whole table
// as 32-bit little-endian integers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/workspace.h"

namespace kest {

std::string singleAlgebraText(const Workspace& ws, int32_t k);
std::string binaryAlgebraData(const Workspace& ws, int32_t k);

enum class AppendStatus { kAppended, kRejected, kStoreFull };

// Appends the algebra of a single-algebra file, then completes the
// diagonals of idempotent operations and copies every commutative table's
// entries below the diagonal over those above it. A file whose header is
// not four numbers, whose symbols are not those of the signature, whose
// rows hold other than n numbers, or whose card cannot be held appends
// nothing. Entries outside -1 .. n-1 are read as undefined.
AppendStatus appendAlgebraText(Workspace& ws, std::string_view text);

}  // namespace kest
