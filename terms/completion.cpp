#include "terms/completion.h"

#include <algorithm>
#include <vector>

#include "terms/term_nodes.h"

namespace kest {

namespace {

// One run of the completion on one algebra: the table, and the entries
// written since the flags were last checked.
class Completion {
 public:
  Completion(Workspace& ws, int32_t k)
      : ws_(ws), sig_(ws.sig), table_(ws.algebras[static_cast<size_t>(k)].table), n_(ws.algebras[static_cast<size_t>(k)].card),
        lay_(ws.layout(k)) {}

  // 0 contradiction, 1 no change reported, 2 change reported, -1 stopped.
  int32_t step(int32_t f, Progress& progress);

 private:
  struct Step {
    int32_t node;
    int32_t op;  // -1 variable, -2 constant
    int32_t a;
    int32_t b;
    bool vector;  // depends on the last variable
  };

  // The flag checks before an assignment; -1 contradiction, else whether
  // an entry was filled.
  int32_t checkFlags();
  int32_t compile(int32_t node);
  void evaluate(int32_t fromLane);
  int32_t value(int32_t step, int32_t lane) const {
    const Step& s = steps_[static_cast<size_t>(step)];
    return values_[static_cast<size_t>(step) * n_ + (s.vector ? lane : 0)];
  }
  // Forces the outermost entry of the term of step to v at a lane; true
  // when an entry was written.
  bool force(int32_t step, int32_t lane, int32_t v);
  void write(int64_t at, int32_t v, int32_t op, int32_t x, int32_t y);

  Workspace& ws_;
  const Signature& sig_;
  std::vector<int32_t>& table_;
  int32_t n_;
  TableLayout lay_;
  bool checked_ = false;
  struct Written {
    int32_t op, x, y;
  };
  std::vector<Written> pending_;
  std::vector<int32_t> vars_;
  std::vector<int32_t> varPos_;
  std::vector<int32_t> outer_;
  std::vector<Step> steps_;
  std::vector<int32_t> nodeStep_;
  std::vector<int32_t> values_;
};

int32_t Completion::checkFlags() {
  int32_t filled = 0;
  auto mirror = [&](int32_t b, int32_t x, int32_t y) {
    int32_t& xy = table_[static_cast<size_t>(lay_.binary(b, x, y))];
    int32_t& yx = table_[static_cast<size_t>(lay_.binary(b, y, x))];
    if (xy < 0 && yx >= 0) xy = yx, filled = 1;
    else if (xy >= 0 && yx < 0) yx = xy, filled = 1;
    else if (xy >= 0 && yx >= 0 && xy != yx) return false;
    return true;
  };
  if (!checked_) {
    // Once the whole table agrees with the flags, only written entries can
    // disagree with them again.
    checked_ = true;
    pending_.clear();
    for (int32_t b = 0; b < sig_.binaryCount; ++b) {
      if (!sig_.opCommutative[static_cast<size_t>(b)]) continue;
      for (int32_t x = 0; x < n_; ++x) {
        for (int32_t y = 0; y < n_; ++y) {
          if (!mirror(b, x, y)) return -1;
        }
      }
    }
    for (int32_t b = 0; b < sig_.binaryCount; ++b) {
      if (!sig_.opIdempotent[static_cast<size_t>(b)]) continue;
      for (int32_t x = 0; x < n_; ++x) {
        int32_t& xx = table_[static_cast<size_t>(lay_.binary(b, x, x))];
        if (xx < 0) xx = x, filled = 1;
        else if (xx != x) return -1;
      }
    }
    return filled;
  }
  for (const Written& w : pending_) {
    if (w.op >= sig_.binaryCount) continue;
    if (sig_.opCommutative[static_cast<size_t>(w.op)] && !mirror(w.op, w.x, w.y)) return -1;
    // A written diagonal entry of an idempotent op was undefined: impossible
    // after the first check, which fills every such diagonal.
  }
  pending_.clear();
  return filled;
}

void Completion::write(int64_t at, int32_t v, int32_t op, int32_t x, int32_t y) {
  table_[static_cast<size_t>(at)] = v;
  pending_.push_back({op, x, y});
}

int32_t Completion::compile(int32_t node) {
  int32_t& known = nodeStep_[static_cast<size_t>(node)];
  if (known >= 0) return known;
  const TermStore& ts = ws_.terms;
  Step s{node, -1, 0, 0, false};
  if (node < 26) {
    s.a = varPos_[static_cast<size_t>(node)];
    s.vector = s.a == static_cast<int32_t>(vars_.size()) - 1;
  } else if (node < ts.firstCompoundNode) {
    s.op = -2;
    s.a = node - 26;
  } else {
    s.op = ts.nodeOp[static_cast<size_t>(node)];
    s.a = compile(ts.nodeLeft[static_cast<size_t>(node)]);
    s.b = sig_.opArity[static_cast<size_t>(s.op)] == 2 ? compile(ts.nodeRight[static_cast<size_t>(node)]) : s.a;
    s.vector = steps_[static_cast<size_t>(s.a)].vector || steps_[static_cast<size_t>(s.b)].vector;
  }
  steps_.push_back(s);
  known = static_cast<int32_t>(steps_.size()) - 1;
  return known;
}

// Values of every step for the lanes from fromLane on (scalars once).
void Completion::evaluate(int32_t fromLane) {
  for (size_t i = 0; i < steps_.size(); ++i) {
    const Step& s = steps_[i];
    int32_t* out = values_.data() + i * static_cast<size_t>(n_);
    const int32_t first = s.vector ? fromLane : 0;
    const int32_t last = s.vector ? n_ : 1;
    for (int32_t lane = first; lane < last; ++lane) {
      int32_t v;
      if (s.op == -1) {
        v = s.vector ? lane : outer_[static_cast<size_t>(s.a)];
      } else if (s.op == -2) {
        v = table_[static_cast<size_t>(lay_.constant(s.a))];
      } else {
        const int32_t x = value(s.a, lane);
        if (sig_.opArity[static_cast<size_t>(s.op)] == 2) {
          const int32_t y = value(s.b, lane);
          v = (x < 0 || y < 0) ? -1 : table_[static_cast<size_t>(lay_.binary(s.op, x, y))];
        } else {
          v = x < 0 ? -1 : table_[static_cast<size_t>(lay_.unary(s.op, x))];
        }
      }
      out[lane] = v;
    }
  }
}

bool Completion::force(int32_t step, int32_t lane, int32_t v) {
  const Step& s = steps_[static_cast<size_t>(step)];
  if (s.op == -1) return false;
  if (s.op == -2) {
    write(lay_.constant(s.a), v, sig_.binaryCount + sig_.unaryCount + s.a, 0, 0);
    return true;
  }
  const int32_t x = value(s.a, lane);
  if (x < 0) return false;
  if (sig_.opArity[static_cast<size_t>(s.op)] == 1) {
    write(lay_.unary(s.op, x), v, s.op, x, 0);
    return true;
  }
  const int32_t y = value(s.b, lane);
  if (y < 0) return false;
  write(lay_.binary(s.op, x, y), v, s.op, x, y);
  return true;
}

int32_t Completion::step(int32_t f, Progress& progress) {
  const TermStore& ts = ws_.terms;
  const int32_t l = ts.formulaA[static_cast<size_t>(f)];
  const int32_t r = ts.formulaB[static_cast<size_t>(f)];
  vars_.clear();
  varPos_.assign(26, -1);
  for (int32_t v = 0; v < 26; ++v) {
    if (occursIn(ws_, v, l) || occursIn(ws_, v, r)) {
      varPos_[static_cast<size_t>(v)] = static_cast<int32_t>(vars_.size());
      vars_.push_back(v);
    }
  }
  steps_.clear();
  nodeStep_.assign(static_cast<size_t>(ts.nodeCount()), -1);
  const int32_t ls = compile(l);
  const int32_t rs = compile(r);
  values_.assign(steps_.size() * static_cast<size_t>(std::max(n_, 1)), -1);
  // One assignment at a lane: the flag checks (a fill changes the table,
  // so the lane is evaluated again), then the equation. Returns the
  // assignment's flag, or 0 for a contradiction; wrote tells a write.
  auto assignment = [&](int32_t lane, bool& wrote) {
    wrote = false;
    const int32_t filled = checkFlags();
    if (filled < 0) return 0;
    if (filled) evaluate(lane);
    const int32_t e1 = value(ls, lane);
    const int32_t e2 = value(rs, lane);
    if (e1 >= 0 && e2 >= 0 && e1 != e2) return 0;
    if (e1 < 0 && e2 >= 0) wrote = force(ls, lane, e2);
    else if (e1 >= 0 && e2 < 0) wrote = force(rs, lane, e1);
    return (filled || wrote) ? 2 : 1;
  };
  bool wrote = false;
  if (vars_.empty()) {
    for (;;) {
      evaluate(0);
      const int32_t flag = assignment(0, wrote);
      if (flag != 2) return flag;
    }
  }
  if (n_ == 0) return 1;
  const int32_t outerCount = static_cast<int32_t>(vars_.size()) - 1;
  outer_.assign(static_cast<size_t>(outerCount), 0);
  int32_t flag = 1;
  int64_t work = 0;
  for (;;) {
    evaluate(0);
    for (int32_t lane = 0; lane < n_; ++lane) {
      flag = assignment(lane, wrote);
      if (flag == 0) return 0;
      // A write changes the table: the lanes still to come are evaluated again.
      if (wrote && lane + 1 < n_) evaluate(lane + 1);
    }
    work += n_;
    if (work >= (1 << 20)) {
      work = 0;
      if (progress.stopRequested()) return -1;
    }
    int32_t level = outerCount - 1;
    while (level >= 0 && outer_[static_cast<size_t>(level)] == n_ - 1) --level;
    if (level < 0) return flag;
    ++outer_[static_cast<size_t>(level)];
    std::fill(outer_.begin() + level + 1, outer_.end(), 0);
  }
}

}  // namespace

CompletionResult completeByEquations(Workspace& ws, int32_t k, Progress& progress) {
  const std::vector<int32_t> backup = ws.algebras[static_cast<size_t>(k)].table;
  Completion run(ws, k);
  for (;;) {
    int32_t result = 1;
    for (int32_t f : ws.terms.formulaList) {
      if (ws.terms.formulaKind[static_cast<size_t>(f)] != kEquation) continue;
      result = run.step(f, progress);
      if (result <= 0) {
        ws.algebras[static_cast<size_t>(k)].table = backup;
        return result == 0 ? CompletionResult::kContradictory : CompletionResult::kInterrupted;
      }
    }
    if (result != 2) return CompletionResult::kOk;
  }
}

void completionReport(Workspace& ws, int32_t k, Progress& progress) {
  switch (completeByEquations(ws, k, progress)) {
    case CompletionResult::kOk: ws.messages.setMessage("Last input O.K."); break;
    case CompletionResult::kContradictory: ws.messages.setMessage("Last input contradictory"); break;
    case CompletionResult::kInterrupted: ws.messages.setMessage("Interrupted"); break;
  }
}

}  // namespace kest
