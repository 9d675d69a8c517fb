#include "free/extension_closer.h"

namespace kest::extension {

// Every assignment of the equations whose evaluation reads entry f.
void Closer::readersOf(const Entry& f) {
  for (const Equation& e : equations_) {
    for (int32_t node : e.compounds) {
      if (ts_.nodeOp[static_cast<size_t>(node)] != f.op) continue;
      bind_.fill(-1);
      const int32_t left = ts_.nodeLeft[static_cast<size_t>(node)];
      if (arity(node) == 1) {
        match(left, f.x, [&] { enumerateUnbound(e); });
      } else {
        const int32_t right = ts_.nodeRight[static_cast<size_t>(node)];
        match(left, f.x, [&] { match(right, f.y, [&] { enumerateUnbound(e); }); });
      }
      if (failed_) return;
    }
  }
}

// Calls found for every extension of the bindings under which node
// evaluates to v.
void Closer::match(int32_t node, int32_t v, Callback found) {
  if (failed_) return;
  if (isVariableNode(node)) {
    int32_t& b = bind_[static_cast<size_t>(node)];
    if (b == v) {
      found();
    } else if (b < 0) {
      b = v;
      found();
      b = -1;
    }
    return;
  }
  if (node < ts_.firstCompoundNode) {
    if (table_[static_cast<size_t>(lay_.constant(constantOfNode(node)))] == v) found();
    return;
  }
  const int32_t op = ts_.nodeOp[static_cast<size_t>(node)];
  const int32_t left = ts_.nodeLeft[static_cast<size_t>(node)];
  int32_t u = -1;
  const bool leftKnown = known(left, u);
  if (arity(node) == 1) {
    if (leftKnown) {
      if (u >= 0 && entry(op, u, 0) == v) found();
      return;
    }
    for (const auto& [x, unused] : preimages_[static_cast<size_t>(op)][static_cast<size_t>(v)]) match(left, x, found);
    return;
  }
  const int32_t right = ts_.nodeRight[static_cast<size_t>(node)];
  int32_t w = -1;
  const bool rightKnown = known(right, w);
  // An argument whose value the bindings already give narrows the search
  // to the positions of v in its row or column.
  if (leftKnown && rightKnown) {
    if (u >= 0 && w >= 0 && entry(op, u, w) == v) found();
  } else if (leftKnown) {
    if (u >= 0) {
      lineIndex(rows_, op, true)
          .forEach(
              u, v, [&](int32_t y) { return entry(op, u, y); }, [&](int32_t y) { match(right, y, found); });
    }
  } else if (rightKnown) {
    if (w >= 0) {
      lineIndex(columns_, op, false)
          .forEach(
              w, v, [&](int32_t x) { return entry(op, x, w); }, [&](int32_t x) { match(left, x, found); });
    }
  } else {
    for (const auto& pair : preimages_[static_cast<size_t>(op)][static_cast<size_t>(v)]) {
      const int32_t y = pair.second;
      match(left, pair.first, [&] { match(right, y, found); });
    }
  }
}

// The row or column index of a binary operation, counted when first asked for.
const LineIndex& Closer::lineIndex(std::vector<LineIndex>& indexes, int32_t op, bool rows) {
  LineIndex& index = indexes[static_cast<size_t>(op)];
  if (!index.built()) index.build(table_.data() + lay_.binary(op, 0, 0), n_, rows);
  return index;
}

// Whether the bindings give node a value (-1 when that is undefined).
bool Closer::known(int32_t node, int32_t& value) {
  if (isVariableNode(node)) {
    value = bind_[static_cast<size_t>(node)];
    return value >= 0;
  }
  if (node < ts_.firstCompoundNode) {
    value = table_[static_cast<size_t>(lay_.constant(constantOfNode(node)))];
    return true;
  }
  const int32_t op = ts_.nodeOp[static_cast<size_t>(node)];
  int32_t a = -1;
  if (!known(ts_.nodeLeft[static_cast<size_t>(node)], a)) return false;
  int32_t b = 0;
  if (arity(node) == 2 && !known(ts_.nodeRight[static_cast<size_t>(node)], b)) return false;
  value = (a < 0 || b < 0) ? -1 : entry(op, a, b);
  return true;
}

void Closer::enumerateUnbound(const Equation& e) {
  int32_t count = 0;
  for (int32_t v : e.compiled.variables) {
    if (bind_[static_cast<size_t>(v)] < 0) unbound_[static_cast<size_t>(count++)] = v;
  }
  enumerate(e, unbound_.data(), count, 0);
  for (int32_t i = 0; i < count; ++i) bind_[static_cast<size_t>(unbound_[static_cast<size_t>(i)])] = -1;
}

// All values of the count variables free[], the first below of them only
// up to the element before the last; each assignment checked.
void Closer::enumerate(const Equation& e, const int32_t* free, int32_t count, int32_t below) {
  if (count == 0) {
    check(e);
    return;
  }
  if (count == 1) {  // the common case: a fact binds all but one variable
    sweepVariable(e, free[0], below > 0 ? n_ - 1 : n_);
    return;
  }
  // An odometer over all but the last variable, which is swept.
  const int32_t outer = count - 1;
  const int32_t lastEnd = outer < below ? n_ - 1 : n_;
  std::array<int32_t, kVariableCount> value{};
  for (int32_t i = 0; i < outer; ++i) {
    if ((i < below ? n_ - 1 : n_) == 0) return;
    bind_[static_cast<size_t>(free[i])] = 0;
  }
  for (;;) {
    sweepVariable(e, free[outer], lastEnd);
    if (failed_) return;
    int32_t i = outer;
    while (i > 0 && value[static_cast<size_t>(i - 1)] == (i - 1 < below ? n_ - 2 : n_ - 1)) --i;
    if (i == 0) return;
    ++value[static_cast<size_t>(i - 1)];
    bind_[static_cast<size_t>(free[i - 1])] = value[static_cast<size_t>(i - 1)];
    for (int32_t j = i; j < outer; ++j) {
      value[static_cast<size_t>(j)] = 0;
      bind_[static_cast<size_t>(free[j])] = 0;
    }
  }
}

}  // namespace kest::extension
