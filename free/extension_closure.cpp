#include "free/extension_closure.h"

#include <algorithm>
#include <utility>

#include "free/extension_closer.h"
#include "terms/formulas.h"

namespace kest {

namespace extension {

Closer::Closer(Workspace& ws, int32_t k, Progress& progress)
    : ws_(ws),
      sig_(ws.sig),
      ts_(ws.terms),
      table_(ws.algebra(k).table),
      n_(ws.algebra(k).card),
      lay_(ws.layout(k)),
      poll_(progress) {
  for (int32_t f : ts_.formulaList) {
    if (ts_.formulaKind[static_cast<size_t>(f)] == kEquation) addEquation(f);
  }
  preimages_.resize(static_cast<size_t>(sig_.binaryCount + sig_.unaryCount));
  for (int32_t op = 0; op < sig_.binaryCount + sig_.unaryCount; ++op) {
    preimages_[static_cast<size_t>(op)].resize(static_cast<size_t>(n_));
    const bool binary = op < sig_.binaryCount;
    for (int32_t x = 0; x < n_; ++x) {
      for (int32_t y = 0; y < (binary ? n_ : 1); ++y) {
        const int32_t v = entry(op, x, y);
        if (v >= 0) preimages_[static_cast<size_t>(op)][static_cast<size_t>(v)].push_back({x, y});
      }
    }
  }
  rows_.resize(static_cast<size_t>(sig_.binaryCount));
  columns_.resize(static_cast<size_t>(sig_.binaryCount));
}

// The distinct compound subterms of node, each before its own subterms.
void Closer::collectCompounds(int32_t node, std::vector<uint8_t>& seen, std::vector<int32_t>& out) const {
  if (!ts_.isCompoundNode(node) || seen[static_cast<size_t>(node)]) return;
  seen[static_cast<size_t>(node)] = 1;
  out.push_back(node);
  collectCompounds(ts_.nodeLeft[static_cast<size_t>(node)], seen, out);
  if (arity(node) == 2) collectCompounds(ts_.nodeRight[static_cast<size_t>(node)], seen, out);
}

void Closer::addEquation(int32_t f) {
  Equation e;
  const int32_t left = ts_.formulaA[static_cast<size_t>(f)];
  const int32_t right = ts_.formulaB[static_cast<size_t>(f)];
  e.compiled = compileEquation(ts_, sig_, left, right);
  std::vector<uint8_t> seen(static_cast<size_t>(ts_.nodeCount()), 0);
  collectCompounds(left, seen, e.compounds);
  collectCompounds(right, seen, e.compounds);
  const std::vector<TermStep>& steps = e.compiled.steps;
  for (size_t i = 0; i < steps.size(); ++i) {
    const TermStep& s = steps[i];
    for (int32_t v = 0; v < kVariableCount; ++v) {
      const bool reads = s.reads >> v & 1u;
      e.varies[static_cast<size_t>(v)].push_back(static_cast<uint8_t>(reads));
      if (reads) e.stepsReading[static_cast<size_t>(v)].push_back(static_cast<int32_t>(i));
    }
  }
  values_.resize(std::max(values_.size(), steps.size()));
  equations_.push_back(std::move(e));
}

ExtensionClosure Closer::run(const Entry& adjoined) {
  const int32_t last = n_ - 1;
  facts_.push_back(adjoined);
  for (int32_t b = 0; b < sig_.binaryCount; ++b) {
    if (sig_.opCommutative[static_cast<size_t>(b)] && adjoined.op == b) facts_.push_back({b, adjoined.y, adjoined.x});
    if (sig_.opIdempotent[static_cast<size_t>(b)]) facts_.push_back({b, last, last});
  }
  // Assignments in which some variable is the new element.
  for (const Equation& e : equations_) {
    if (e.compiled.variables.empty()) {
      check(e);
      continue;
    }
    for (size_t first = 0; first < e.compiled.variables.size() && !failed_; ++first) {
      bind_.fill(-1);
      bind_[static_cast<size_t>(e.compiled.variables[first])] = last;
      std::array<int32_t, kVariableCount> others{};
      int32_t count = 0;
      for (size_t i = 0; i < e.compiled.variables.size(); ++i) {
        if (i != first) others[static_cast<size_t>(count++)] = e.compiled.variables[i];
      }
      // Variables before the first that is the new element stay below it.
      enumerate(e, others.data(), count, static_cast<int32_t>(first));
    }
    if (failed_) break;
  }
  while (!failed_ && !facts_.empty()) {
    if (stopped()) break;
    const Entry f = facts_.back();
    facts_.pop_back();
    readersOf(f);
    applyWrites();
  }
  if (stopped_) return restore(ExtensionClosure::kStopped);
  if (failed_) return restore(ExtensionClosure::kNeedsFullClosure);
  ws_.classOf.resize(static_cast<size_t>(n_));
  for (int32_t x = 0; x < n_; ++x) ws_.classOf[static_cast<size_t>(x)] = x;
  return ExtensionClosure::kClosed;
}

// Fills an entry at once, so later assignments see it; its readers are
// looked for after the current search, which reads the preimages.
void Closer::write(const Entry& e, int32_t v) {
  int32_t& slot = entryRef(e.op, e.x, e.y);
  if (slot >= 0) {
    if (slot != v) failed_ = true;
    return;
  }
  slot = v;
  written_.push_back(e);
  pending_.push_back(e);
  if (e.op < sig_.binaryCount) {
    if (sig_.opIdempotent[static_cast<size_t>(e.op)] && e.x == e.y && v != e.x) failed_ = true;
    if (sig_.opCommutative[static_cast<size_t>(e.op)] && e.x != e.y) write({e.op, e.y, e.x}, v);
  }
}

void Closer::applyWrites() {
  for (const Entry& e : pending_) {
    preimages_[static_cast<size_t>(e.op)][static_cast<size_t>(entry(e.op, e.x, e.y))].push_back({e.x, e.y});
    if (e.op < sig_.binaryCount) {
      if (rows_[static_cast<size_t>(e.op)].built()) rows_[static_cast<size_t>(e.op)].add(e.x, e.y);
      if (columns_[static_cast<size_t>(e.op)].built()) columns_[static_cast<size_t>(e.op)].add(e.y, e.x);
    }
    facts_.push_back(e);
  }
  pending_.clear();
}

}  // namespace extension

ExtensionClosure closeExtension(Workspace& ws, int32_t k, int32_t op, int32_t x, int32_t y, Progress& progress) {
  if (op >= ws.sig.binaryCount + ws.sig.unaryCount) return ExtensionClosure::kNeedsFullClosure;  // a constant
  return extension::Closer(ws, k, progress).run({op, x, op < ws.sig.binaryCount ? y : 0});
}

}  // namespace kest
