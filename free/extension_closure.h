// The closure of an algebra that a closed algebra became by one new
// element, the value of one formerly undefined entry. Everything the
// closure could fill reads the new element or the new entry, so only the
// assignments that do are evaluated: those in which a variable is the new
// element, and, for every entry filled on the way, those that read it
// (found through the preimages of each value). Entries are filled in
// another order than the full closure's; where nothing turns out equal the
// filled table is nevertheless the same, since each filled entry is forced
// by entries of the other's table and the other way round. When something
// does turn out equal, or a constant is filled, the table is put back and
// the caller runs the full closure.
#pragma once

#include <cstdint>

#include "core/progress.h"
#include "core/workspace.h"

namespace kest {

enum class ExtensionClosure { kClosed, kNeedsFullClosure, kStopped };

// k: the closed algebra of before, its last element adjoined as the value
// of the entry (op, x, y) (x alone for a unary op; its mirror too for a
// commutative one). On kClosed the table is closed and ws.classOf
// identifies nothing; otherwise the table is as it was.
ExtensionClosure closeExtension(Workspace& ws, int32_t k, int32_t op, int32_t x, int32_t y,
                                Progress& progress = noProgress());

}  // namespace kest
