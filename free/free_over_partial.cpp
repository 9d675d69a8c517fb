#include "free/free_over_partial.h"

#include <algorithm>
#include <string>

#include "core/algebra_store.h"
#include "free/extension_closure.h"
#include "free/partial_closure.h"
#include "structure/factor_algebra.h"

namespace kest {

int32_t factorByClasses(Workspace& ws, int32_t k) {
  const int32_t n = ws.algebra(k).card;
  const std::vector<int32_t>& cls = ws.classOf;
  if (static_cast<int32_t>(cls.size()) != n) return k;
  bool identifies = false;
  for (int32_t x = 0; x < n; ++x) identifies |= cls[static_cast<size_t>(x)] != x;
  if (!identifies) return k;
  // Entries no old entry writes stay undefined, the diagonals included.
  std::vector<int32_t> number;
  const int32_t f = appendFactor(ws, k, cls, true, &number);
  if (f < 0) return -1;
  for (int32_t& g : ws.generatorImage) g = (g >= 0 && g < n) ? number[static_cast<size_t>(g)] : g;
  deleteAlgebra(ws, k);
  return ws.algebraCount() - 1;
}

std::optional<EntryChoice> chooseUndefinedEntry(const AlgebraView& a) {
  const int32_t c = a.card();
  std::optional<EntryChoice> choice;
  int64_t best = INT64_MAX;
  for (int32_t i = 0; i < a.constantCount(); ++i) {
    if (a.constant(i) < 0) {
      choice = EntryChoice{a.binaryCount() + a.unaryCount() + i, 0, 0};
      best = 1;
      break;
    }
  }
  for (int32_t b = 0; b < a.binaryCount(); ++b) {
    for (int64_t d = 0; d <= 2 * static_cast<int64_t>(c) - 2 && d < best; ++d) {
      bool found = false;
      for (int32_t x = 0; x < c; ++x) {
        const int64_t y = d - x;
        if (y < 0 || y >= c) continue;
        if (a.binary(b, x, static_cast<int32_t>(y)) < 0) {
          choice = EntryChoice{b, x, static_cast<int32_t>(y)};
          found = true;
        }
      }
      if (found) best = d;
    }
  }
  for (int32_t u = a.binaryCount(); u < a.binaryCount() + a.unaryCount(); ++u) {
    for (int32_t x = 0; x < c && x < best; ++x) {
      if (a.unary(u, x) < 0) {
        choice = EntryChoice{u, x, 0};
        best = x;
        break;
      }
    }
  }
  return choice;
}

namespace {

// Extends a by one element that becomes the chosen entry's value (and its
// mirror's, for a commutative operation); a is deleted. The new index, or
// -1 when the store is full or the table would not fit.
int32_t adjoinValue(Workspace& ws, int32_t a, const EntryChoice& e) {
  const int32_t c = ws.algebra(a).card + 1;
  if (!tableFits(ws, c)) return -1;
  const int32_t x = extendAlgebra(ws, a);
  if (x < 0) return -1;
  deleteAlgebra(ws, a);
  const int32_t next = ws.algebraCount() - 1;
  Algebra& alg = ws.algebra(next);
  const TableLayout lay = ws.layout(next);
  const int32_t arity = ws.sig.opArity[static_cast<size_t>(e.op)];
  if (arity == 2) {
    alg.table[static_cast<size_t>(lay.binary(e.op, e.x, e.y))] = c - 1;
    if (ws.sig.opCommutative[static_cast<size_t>(e.op)])
      alg.table[static_cast<size_t>(lay.binary(e.op, e.y, e.x))] = c - 1;
  } else if (arity == 1) {
    alg.table[static_cast<size_t>(lay.unary(e.op, e.x))] = c - 1;
  } else {
    alg.table[static_cast<size_t>(lay.constant(e.op - ws.sig.binaryCount - ws.sig.unaryCount))] = c - 1;
  }
  return next;
}

}  // namespace

namespace {

// Closes the working algebra a: only where the last extension reaches when
// it extended an algebra closed with nothing identified, else in full (or
// with the closure given). False when the user stopped it.
bool closeWorking(Workspace& ws, int32_t a, const std::optional<EntryChoice>& extension, Progress& progress,
                  ClosePartial close) {
  if (close) return close(ws, a, progress);
  const ExtensionClosure r = extension ? closeExtension(ws, a, extension->op, extension->x, extension->y, progress)
                                       : ExtensionClosure::kNeedsFullClosure;
  if (r == ExtensionClosure::kStopped) return false;
  return r == ExtensionClosure::kClosed || closePartialAlgebra(ws, a, progress);
}

bool identifiesSomething(const std::vector<int32_t>& classOf) {
  for (size_t x = 0; x < classOf.size(); ++x) {
    if (classOf[x] != static_cast<int32_t>(x)) return true;
  }
  return false;
}

}  // namespace

FreeOverPartialRun buildFreeOverPartial(Workspace& ws, int32_t k, int32_t limit, Progress& progress,
                                        ClosePartial close) {
  using Outcome = FreeOverPartialRun::Outcome;
  const int32_t before = ws.algebraCount();
  const int32_t s = ws.algebra(k).card;
  FreeOverPartialRun run{Outcome::kResigned, 0, s};
  int32_t a = copyAlgebra(ws, k);
  if (a < 0) return {Outcome::kStoreFull, 0, s};
  ws.generatorImage.resize(static_cast<size_t>(s));
  for (int32_t i = 0; i < s; ++i) ws.generatorImage[static_cast<size_t>(i)] = i;
  auto fail = [&](Outcome outcome) {
    // Nothing of the run stays: the store is as it was.
    while (ws.algebraCount() > before) deleteAlgebra(ws, ws.algebraCount() - 1);
    return FreeOverPartialRun{outcome, 0, s};
  };
  int32_t previous = s;
  // The entry that the last extension filled, when the algebra before it
  // was closed with nothing identified: then only what reads the new
  // element needs closing.
  std::optional<EntryChoice> extension;
  while (limit >= s) {
    // A cycle copies the whole table at least once, whatever the closure
    // finds: each one polls.
    if (progress.stopRequested() || !closeWorking(ws, a, extension, progress, close))
      return fail(Outcome::kInterrupted);
    const bool identified = identifiesSomething(ws.classOf);
    a = factorByClasses(ws, a);
    if (a < 0) return fail(Outcome::kStoreFull);
    if (ws.algebra(a).card != previous) ++run.steps;
    const std::optional<EntryChoice> e = isComplete(ws, a) ? std::nullopt : chooseUndefinedEntry(ws.view(a));
    if (!e) {
      run.outcome = Outcome::kConstructed;
      break;
    }
    ++run.steps;
    extension = identified ? std::nullopt : e;
    a = adjoinValue(ws, a, *e);
    if (a < 0) return fail(Outcome::kNoMemory);
    previous = ws.algebra(a).card;
    run.largest = std::max(run.largest, previous);
    if (previous > limit) break;
  }
  relayout(ws);
  return run;
}

bool stepFreeOverPartial(Workspace& ws, int32_t k, Progress& progress) {
  int32_t a = copyAlgebra(ws, k);
  if (a < 0) return true;
  if (!closePartialAlgebra(ws, a, progress)) return false;
  if (!isComplete(ws, a)) {
    a = factorByClasses(ws, a);
    if (a < 0) return true;
    if (!closePartialAlgebra(ws, a, progress)) return false;
    a = factorByClasses(ws, a);
    if (a < 0) return true;
    if (const std::optional<EntryChoice> e = chooseUndefinedEntry(ws.view(a))) {
      const int32_t next = adjoinValue(ws, a, *e);
      if (next >= 0) a = next;
    }
    if (!closePartialAlgebra(ws, a, progress)) return false;
  }
  relayout(ws);
  return true;
}

bool closeAndFactor(Workspace& ws, int32_t k, Progress& progress) {
  if (!closePartialAlgebra(ws, k, progress)) return false;
  factorByClasses(ws, k);
  return true;
}

}  // namespace kest
