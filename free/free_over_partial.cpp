#include "free/free_over_partial.h"

#include <algorithm>
#include <string>

#include "core/algebra_store.h"
#include "core/element_names.h"
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
    if (ws.sig.opCommutative[static_cast<size_t>(e.op)]) alg.table[static_cast<size_t>(lay.binary(e.op, e.y, e.x))] = c - 1;
  } else if (arity == 1) {
    alg.table[static_cast<size_t>(lay.unary(e.op, e.x))] = c - 1;
  } else {
    alg.table[static_cast<size_t>(lay.constant(e.op - ws.sig.binaryCount - ws.sig.unaryCount))] = c - 1;
  }
  return next;
}

}  // namespace

void buildFreeOverPartial(Workspace& ws, int32_t k, int32_t limit, Progress& progress, ClosePartial close) {
  const int32_t before = ws.algebraCount();
  const int32_t s = ws.algebra(k).card;
  int32_t a = copyAlgebra(ws, k);
  if (a < 0) return;
  ws.generatorImage.resize(static_cast<size_t>(s));
  for (int32_t i = 0; i < s; ++i) ws.generatorImage[static_cast<size_t>(i)] = i;
  int32_t largest = s;
  int32_t steps = 0;
  bool done = false;
  int32_t previous = s;
  int32_t c = s;
  auto stop = [&](const char* message) {
    // Nothing of the run stays: the store is as it was.
    while (ws.algebraCount() > before) deleteAlgebra(ws, ws.algebraCount() - 1);
    ws.messages.setMessage(message);
  };
  // The entry that the last extension filled, when the algebra before it
  // was closed with nothing identified: then only what reads the new
  // element needs closing.
  std::optional<EntryChoice> extension;
  if (limit >= s) {
    for (;;) {
      // A cycle copies the whole table at least once, whatever the closure
      // finds: each one polls.
      if (progress.stopRequested()) return stop("Interrupted");
      if (close) {
        if (!close(ws, a, progress)) return stop("Interrupted");
      } else {
        const ExtensionClosure r = extension ? closeExtension(ws, a, extension->op, extension->x, extension->y, progress)
                                             : ExtensionClosure::kNeedsFullClosure;
        if (r == ExtensionClosure::kStopped ||
            (r == ExtensionClosure::kNeedsFullClosure && !closePartialAlgebra(ws, a, progress))) {
          return stop("Interrupted");
        }
      }
      bool identified = false;
      for (size_t x = 0; x < ws.classOf.size(); ++x) identified = identified || ws.classOf[x] != static_cast<int32_t>(x);
      a = factorByClasses(ws, a);
      if (a < 0) return stop("The store of algebras is full");
      c = ws.algebra(a).card;
      if (c != previous) ++steps;
      const std::optional<EntryChoice> e = isComplete(ws, a) ? std::nullopt : chooseUndefinedEntry(ws.view(a));
      if (!e) {
        done = true;
        break;
      }
      ++steps;
      if (identified) extension.reset();
      else extension = e;
      a = adjoinValue(ws, a, *e);
      if (a < 0) return stop("Not enough memory for this algebra");
      c = ws.algebra(a).card;
      largest = std::max(largest, c);
      previous = c;
      if (c > limit) break;
    }
  }
  relayout(ws);
  if (!done) {
    ws.messages.setMessage("Resigning: an algebra too big needed to be constructed");
    return;
  }
  std::vector<std::string> lines{"Free algebra over A" + std::to_string(k) + " satisfying the listed equations constructed",
                                 "in " + std::to_string(steps) + " steps; largest auxiliary algebra had " +
                                     std::to_string(largest) + " elements"};
  for (int32_t i = 0; i < s; ++i) {
    std::string line(1, nameOfElement(i, ws.sig.maxNamedElements));
    line += " -> ";
    line += nameOfElement(ws.generatorImage[static_cast<size_t>(i)], ws.sig.maxNamedElements);
    lines.push_back(std::move(line));
  }
  ws.messages.setReport(std::move(lines));
}

void stepFreeOverPartial(Workspace& ws, int32_t k, Progress& progress) {
  int32_t a = copyAlgebra(ws, k);
  if (a < 0) return;
  if (!closePartialAlgebra(ws, a, progress)) return;
  if (!isComplete(ws, a)) {
    a = factorByClasses(ws, a);
    if (a < 0 || !closePartialAlgebra(ws, a, progress)) return;
    a = factorByClasses(ws, a);
    if (a < 0) return;
    if (const std::optional<EntryChoice> e = chooseUndefinedEntry(ws.view(a))) {
      const int32_t next = adjoinValue(ws, a, *e);
      if (next >= 0) a = next;
    }
    closePartialAlgebra(ws, a, progress);
  }
  relayout(ws);
  ws.messages.clearMessages();
}

void closeAndFactor(Workspace& ws, int32_t k, Progress& progress) {
  ws.messages.clearMessages();
  if (!closePartialAlgebra(ws, k, progress)) {
    ws.messages.setMessage("Interrupted");
    return;
  }
  factorByClasses(ws, k);
}

}  // namespace kest
