#include "terms/equation_sweep.h"

#include <algorithm>

#include "terms/compiled_terms.h"

namespace kest {

EquationSweep::EquationSweep(Workspace& ws, int32_t k)
    : ws_(ws),
      sig_(ws.sig),
      table_(ws.algebra(k).table),
      n_(ws.algebra(k).card),
      lanes_(std::max(n_, 1)),
      lay_(ws.layout(k)) {}

// The equation's steps, each marked by whether it depends on the last
// variable (then its values are a vector over that variable's values).
void EquationSweep::compile(const CompiledEquation& e) {
  steps_.clear();
  for (const TermStep& t : e.steps) {
    Step s{-1, 0, 0, false};
    if (t.kind == TermStep::kVariable) {
      s.a = varPos_[static_cast<size_t>(t.a)];
      s.vector = s.a == static_cast<int32_t>(vars_.size()) - 1;
    } else if (t.kind == TermStep::kConstant) {
      s.op = -2;
      s.a = t.a;
    } else {
      s.op = t.op;
      s.a = t.a;
      s.b = t.kind == TermStep::kBinary ? t.b : t.a;
      s.vector = steps_[static_cast<size_t>(s.a)].vector || steps_[static_cast<size_t>(s.b)].vector;
    }
    steps_.push_back(s);
  }
}

// Values of every step for the lanes from fromLane on (scalars once),
// each step in a loop of its own.
void EquationSweep::evaluate(int32_t fromLane) {
  const int32_t* table = table_.data();
  for (size_t i = 0; i < steps_.size(); ++i) {
    const Step& s = steps_[i];
    int32_t* out = values_.data() + i * static_cast<size_t>(lanes_);
    const int32_t first = s.vector ? fromLane : 0;
    const int32_t last = s.vector ? n_ : 1;
    if (s.op == -1) {
      if (s.vector) {
        for (int32_t lane = first; lane < last; ++lane) out[lane] = lane;
      } else {
        out[0] = outer_[static_cast<size_t>(s.a)];
      }
      continue;
    }
    if (s.op == -2) {
      out[0] = table[lay_.constant(s.a)];
      continue;
    }
    const Step& sa = steps_[static_cast<size_t>(s.a)];
    const int32_t* x = values_.data() + static_cast<size_t>(s.a) * static_cast<size_t>(lanes_);
    const int32_t xs = sa.vector ? 1 : 0;
    if (sig_.opArity[static_cast<size_t>(s.op)] == 1) {
      const int32_t* t = table + lay_.unary(s.op, 0);
      for (int32_t lane = first; lane < last; ++lane) {
        const int32_t v = x[lane * xs];
        out[lane] = v < 0 ? -1 : t[v];
      }
      continue;
    }
    const Step& sb = steps_[static_cast<size_t>(s.b)];
    const int32_t* y = values_.data() + static_cast<size_t>(s.b) * static_cast<size_t>(lanes_);
    const int32_t ys = sb.vector ? 1 : 0;
    const int32_t* t = table + lay_.binary(s.op, 0, 0);
    const int64_t n = n_;
    for (int32_t lane = first; lane < last; ++lane) {
      const int32_t u = x[lane * xs];
      const int32_t v = y[lane * ys];
      out[lane] = (u < 0 || v < 0) ? -1 : t[u * n + v];
    }
  }
}

bool EquationSweep::force(int32_t step, int32_t lane, int32_t v, SweepHooks& hooks) {
  const Step& s = steps_[static_cast<size_t>(step)];
  if (s.op == -1) return false;
  if (s.op == -2) {
    table_[static_cast<size_t>(lay_.constant(s.a))] = v;
    hooks.wrote(sig_.binaryCount + sig_.unaryCount + s.a, 0, 0);
    return true;
  }
  const int32_t x = value(s.a, lane);
  if (x < 0) return false;
  if (sig_.opArity[static_cast<size_t>(s.op)] == 1) {
    table_[static_cast<size_t>(lay_.unary(s.op, x))] = v;
    hooks.wrote(s.op, x, 0);
    return true;
  }
  const int32_t y = value(s.b, lane);
  if (y < 0) return false;
  table_[static_cast<size_t>(lay_.binary(s.op, x, y))] = v;
  hooks.wrote(s.op, x, y);
  return true;
}

int32_t EquationSweep::run(int32_t f, SweepHooks& hooks, bool repeatGround, Progress& progress) {
  const TermStore& ts = ws_.terms;
  const CompiledEquation equation =
      compileEquation(ts, sig_, ts.formulaA[static_cast<size_t>(f)], ts.formulaB[static_cast<size_t>(f)]);
  vars_ = equation.variables;
  varPos_.assign(kVariableCount, -1);
  for (size_t i = 0; i < vars_.size(); ++i) varPos_[static_cast<size_t>(vars_[i])] = static_cast<int32_t>(i);
  compile(equation);
  const int32_t ls = equation.leftStep;
  const int32_t rs = equation.rightStep;
  values_.assign(steps_.size() * static_cast<size_t>(lanes_), -1);
  // One assignment at a lane: the hook (a fill changes the table, so the
  // lane is evaluated again), then the equation. Returns the assignment's
  // flag, or 0 when a hook stopped; wrote tells a write.
  auto assignment = [&](int32_t lane, bool& wrote) {
    wrote = false;
    const int32_t filled = hooks.beforeAssignment();
    if (filled < 0) return 0;
    if (filled) evaluate(lane);
    const int32_t e1 = value(ls, lane);
    const int32_t e2 = value(rs, lane);
    if (e1 >= 0 && e2 >= 0) {
      if (!hooks.bothDefined(e1, e2)) return 0;
    } else if (e1 < 0 && e2 >= 0) {
      wrote = force(ls, lane, e2, hooks);
    } else if (e1 >= 0 && e2 < 0) {
      wrote = force(rs, lane, e1, hooks);
    }
    return (filled || wrote) ? 2 : 1;
  };
  bool wrote = false;
  if (vars_.empty()) {
    for (;;) {
      evaluate(0);
      const int32_t flag = assignment(0, wrote);
      if (flag != 2 || !repeatGround) return flag;
    }
  }
  if (n_ == 0) return 1;
  const int32_t outerCount = static_cast<int32_t>(vars_.size()) - 1;
  outer_.assign(static_cast<size_t>(outerCount), 0);
  int32_t flag = 1;
  WorkPoll poll(progress);
  for (;;) {
    evaluate(0);
    for (int32_t lane = 0; lane < n_; ++lane) {
      flag = assignment(lane, wrote);
      if (flag == 0) return 0;
      // A write changes the table: the lanes still to come are evaluated again.
      if (wrote && lane + 1 < n_) evaluate(lane + 1);
    }
    if (poll.add(n_)) return -1;
    int32_t level = outerCount - 1;
    while (level >= 0 && outer_[static_cast<size_t>(level)] == n_ - 1) --level;
    if (level < 0) return flag;
    ++outer_[static_cast<size_t>(level)];
    std::fill(outer_.begin() + level + 1, outer_.end(), 0);
  }
}

}  // namespace kest
