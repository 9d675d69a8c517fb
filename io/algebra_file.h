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
// entries below the diagonal over those above it. A file that is not
// sound appends nothing and says why, with its line, in why: a header
// that is not four numbers, symbols that are not those of the signature,
// a card that is no number or more than an algebra can have, a file too
// short for its table, a row of other than n entries, an entry that is
// neither -1 nor an element. Allocates nothing beyond what the file's
// length can hold.
AppendStatus appendAlgebraText(Workspace& ws, std::string_view text, std::string* why = nullptr);

// A number of elements as a file writes it: decimal digits only (trailing
// blanks allowed), at most kMaxCardinality.
bool readCardinality(std::string_view text, int64_t& n);

}  // namespace kest
