// The free algebra over a partial algebra A in the variety of the listed
// equations: A is closed (forced entries filled, forced identifications
// factored out), and while an entry is undefined a new element is adjoined
// as its value. The working algebra is always the last of the store.
#pragma once

#include <cstdint>
#include <optional>

#include "core/progress.h"
#include "core/workspace.h"
#include "free/partial_closure.h"

namespace kest {

// The factor of k by ws.classOf (k itself when that identifies nothing):
// appended, k deleted; ws.generatorImage follows. Returns the factor's
// index, or -1 when the store is full.
int32_t factorByClasses(Workspace& ws, int32_t k);

// The undefined entry to fill next, or nothing: constants first, then the
// binary tables by anti-diagonals, then the unary ones.
struct EntryChoice {
  int32_t op;
  int32_t x;
  int32_t y;
};
std::optional<EntryChoice> chooseUndefinedEntry(const AlgebraView& a);

// How an algebra is closed; the plain closure of the tests plugs in here.
using ClosePartial = bool (*)(Workspace& ws, int32_t k, Progress& progress);

// Mode F: the whole construction on a copy of k. Constructed: the free
// algebra is the last of the store, ws.generatorImage says what each
// element of k became. Resigned: the last intermediate algebra stays.
// Otherwise the store is as it was. Without a closure given, an algebra
// that was closed with nothing identified and then extended is closed only
// where the extension reaches.
struct FreeOverPartialRun {
  enum class Outcome { kConstructed, kResigned, kInterrupted, kStoreFull, kNoMemory } outcome;
  int32_t steps = 0;
  int32_t largest = 0;  // the largest auxiliary algebra's card
  bool operator==(const FreeOverPartialRun&) const = default;
};
FreeOverPartialRun buildFreeOverPartial(Workspace& ws, int32_t k, int32_t limit, Progress& progress = noProgress(),
                                        ClosePartial close = nullptr);

// Key x: one cycle on a copy of k; false when the user stopped it.
bool stepFreeOverPartial(Workspace& ws, int32_t k, Progress& progress = noProgress());

// Key z: close k in place, then replace it by its factor; false when the
// user stopped it (k is then as it was).
bool closeAndFactor(Workspace& ws, int32_t k, Progress& progress = noProgress());

}  // namespace kest
