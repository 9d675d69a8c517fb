#include "free/extension_closer.h"

namespace kest::extension {

// The values of all steps of e under the bindings.
void Closer::evaluate(const Equation& e) {
  for (size_t i = 0; i < e.compiled.steps.size(); ++i) evaluateStep(e, i);
}

void Closer::evaluateStep(const Equation& e, size_t i) {
  const int32_t* t = table_.data();
  const int64_t n = n_;
  {
    const TermStep& s = e.compiled.steps[i];
    int32_t v = -1;
    switch (s.kind) {
      case TermStep::kVariable: v = bind_[static_cast<size_t>(s.a)]; break;
      case TermStep::kConstant: v = t[lay_.constant(s.a)]; break;
      case TermStep::kUnary: {
        const int32_t x = values_[static_cast<size_t>(s.a)];
        if (x >= 0) v = t[lay_.unary(s.op, x)];
        break;
      }
      case TermStep::kBinary: {
        const int32_t x = values_[static_cast<size_t>(s.a)];
        const int32_t y = values_[static_cast<size_t>(s.b)];
        if (x >= 0 && y >= 0) v = t[(s.op * n + x) * n + y];
        break;
      }
    }
    values_[i] = v;
  }
}

// One assignment: two defined sides must agree; a side undefined only in
// its outermost operation gets the other side's value.
void Closer::check(const Equation& e) {
  evaluate(e);
  decide(e);
}

void Closer::decide(const Equation& e) {
  decideWith(e, [&](int32_t step) { return values_[static_cast<size_t>(step)]; });
}

// The decision of one assignment, value(step) giving the steps' values.
template <typename Value>
void Closer::decideWith(const Equation& e, const Value& value) {
  const int32_t l = value(e.compiled.leftStep);
  const int32_t r = value(e.compiled.rightStep);
  if (l >= 0 && r >= 0) {
    if (l != r) failed_ = true;
  } else if (l < 0 && r >= 0) {
    force(e.compiled.steps[static_cast<size_t>(e.compiled.leftStep)], r, value);
  } else if (r < 0 && l >= 0) {
    force(e.compiled.steps[static_cast<size_t>(e.compiled.rightStep)], l, value);
  }
}

template <typename Value>
void Closer::force(const TermStep& s, int32_t v, const Value& value) {
  if (s.kind == TermStep::kVariable) return;
  if (s.kind == TermStep::kConstant) {
    failed_ = true;  // a filled constant changes every assignment: the full closure does it
    return;
  }
  const int32_t a = value(s.a);
  const int32_t b = s.kind == TermStep::kBinary ? value(s.b) : 0;
  if (a >= 0 && b >= 0) write({s.op, a, b}, v);
}

// Every value below end of variable var, the others bound: the steps
// that read var are computed for all values at once, each in a loop of
// its own. After a write the values still to come are computed again.
void Closer::sweepVariable(const Equation& e, int32_t var, int32_t end) {
  const std::vector<uint8_t>& varying = e.varies[static_cast<size_t>(var)];
  const size_t n = static_cast<size_t>(n_);
  if (lanes_.size() < e.compiled.steps.size() * n) lanes_.resize(e.compiled.steps.size() * n);
  auto value = [&](int32_t step, int32_t lane) {
    return varying[static_cast<size_t>(step)] ? lanes_[static_cast<size_t>(step) * n + static_cast<size_t>(lane)]
                                              : values_[static_cast<size_t>(step)];
  };
  int32_t from = 0;
  while (from < end && !failed_ && !stopped()) {
    bind_[static_cast<size_t>(var)] = from;
    evaluate(e);  // the steps that do not read var
    for (int32_t i : e.stepsReading[static_cast<size_t>(var)]) lanesOfStep(e, i, varying, from, end);
    const size_t writes = written_.size();
    int32_t lane = from;
    while (lane < end) {
      decideWith(e, [&](int32_t step) { return value(step, lane); });
      ++lane;
      if (failed_ || written_.size() != writes) break;
    }
    from = lane;
  }
}

void Closer::lanesOfStep(const Equation& e, int32_t i, const std::vector<uint8_t>& varying, int32_t from, int32_t end) {
  const TermStep& s = e.compiled.steps[static_cast<size_t>(i)];
  const size_t n = static_cast<size_t>(n_);
  int32_t* out = lanes_.data() + static_cast<size_t>(i) * n;
  if (s.kind == TermStep::kVariable) {
    for (int32_t lane = from; lane < end; ++lane) out[lane] = lane;
    return;
  }
  // An argument that does not vary is read with stride 0.
  auto argument = [&](int32_t step, ptrdiff_t& stride) -> const int32_t* {
    stride = varying[static_cast<size_t>(step)] ? 1 : 0;
    return stride ? lanes_.data() + static_cast<size_t>(step) * n : values_.data() + step;
  };
  ptrdiff_t xs = 0;
  const int32_t* x = argument(s.a, xs);
  if (s.kind == TermStep::kUnary) {
    const int32_t* t = table_.data() + lay_.unary(s.op, 0);
    for (int32_t lane = from; lane < end; ++lane) {
      const int32_t u = x[lane * xs];
      out[lane] = u < 0 ? -1 : t[u];
    }
    return;
  }
  ptrdiff_t ys = 0;
  const int32_t* y = argument(s.b, ys);
  const int32_t* t = table_.data() + lay_.binary(s.op, 0, 0);
  const int64_t stride = n_;
  for (int32_t lane = from; lane < end; ++lane) {
    const int32_t u = x[lane * xs];
    const int32_t v = y[lane * ys];
    out[lane] = (u < 0 || v < 0) ? -1 : t[u * stride + v];
  }
}

}  // namespace kest::extension
