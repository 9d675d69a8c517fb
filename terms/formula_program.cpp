#include "terms/formula_program.h"

#include <algorithm>
#include <new>

#include "core/algebra_store.h"

namespace kest {

namespace {

// At most this many values in the evaluation vectors (2 GiB).
constexpr int64_t kMaxProgramValues = int64_t{1} << 29;

}  // namespace

FormulaProgram::FormulaProgram(const Workspace& ws, int32_t k, int32_t f, const std::vector<int32_t>& variables)
    : ws_(ws),
      table_(ws.algebra(k).table.data()),
      n_(ws.algebra(k).card),
      complete_(isComplete(ws, k) != 0),
      variables_(variables),
      last_(static_cast<int32_t>(variables.size()) - 1),
      terms_(ws.terms, ws.sig),
      formulaStep_(static_cast<size_t>(ws.terms.formulaPoolCount()), -1) {
  const int32_t a = ws.terms.formulaA[static_cast<size_t>(f)];
  const int32_t b = ws.terms.formulaB[static_cast<size_t>(f)];
  topEquation_ = ws.terms.formulaKind[static_cast<size_t>(f)] == kEquation;
  if (topEquation_) {
    top_ = addStep(Code::kEqual, -1, termStep(a), termStep(b), 0);
    Step& st = steps_.back();
    st.level = std::max(steps_[static_cast<size_t>(st.a)].level, steps_[static_cast<size_t>(st.b)].level);
  } else {
    top_ = formulaStep(f);
  }
  int64_t slots = 0;
  for (Step& st : steps_) {
    st.slot = slots;
    slots += st.level == last_ ? n_ : 1;
  }
  // A vector of n values per step of the last variable: a deep term over
  // millions of elements needs more than can be had, which is said before
  // anything is touched.
  if (slots > kMaxProgramValues) throw std::bad_alloc();
  values_.assign(static_cast<size_t>(slots), 0);
  for (const Step& st : steps_) view_.push_back(values_.data() + st.slot);
  outerValues_.assign(variables_.size(), 0);
}

int32_t FormulaProgram::addStep(Code code, int32_t level, int32_t a, int32_t b, int64_t base) {
  steps_.push_back({code, level, a, b, base, nullptr, 0});
  return static_cast<int32_t>(steps_.size()) - 1;
}

int32_t FormulaProgram::termStep(int32_t node) {
  const int32_t t = terms_.add(node);
  // The steps compiled just now join the program in their order.
  for (size_t i = programStep_.size(); i < terms_.steps().size(); ++i)
    programStep_.push_back(programStepOf(terms_.steps()[i]));
  return programStep_[static_cast<size_t>(t)];
}

int32_t FormulaProgram::programStepOf(const TermStep& t) {
  const TableLayout lay{n_, ws_.sig.binaryCount, ws_.sig.unaryCount, ws_.sig.constantCount};
  switch (t.kind) {
    case TermStep::kVariable: {
      const auto pos = static_cast<int32_t>(std::find(variables_.begin(), variables_.end(), t.a) - variables_.begin());
      return addStep(Code::kVariable, pos, pos, 0, 0);
    }
    case TermStep::kConstant: return addStep(Code::kConstant, -1, 0, 0, lay.constant(t.a));
    case TermStep::kUnary: {
      const int32_t l = programStep_[static_cast<size_t>(t.a)];
      return addStep(Code::kUnary, steps_[static_cast<size_t>(l)].level, l, 0, lay.unary(t.op, 0));
    }
    case TermStep::kBinary: break;
  }
  const int32_t l = programStep_[static_cast<size_t>(t.a)];
  const int32_t r = programStep_[static_cast<size_t>(t.b)];
  const int32_t ll = steps_[static_cast<size_t>(l)].level;
  const int32_t rl = steps_[static_cast<size_t>(r)].level;
  const int32_t step = addStep(Code::kBinary, std::max(ll, rl), l, r, lay.binary(t.op, 0, 0));
  if (ll == last_ && rl < last_) steps_.back().transposed = transposedTable(t.op);
  return step;
}

// Kept only while the copy stays small (n <= 2048, 16 MB at most).
const int32_t* FormulaProgram::transposedTable(int32_t op) {
  constexpr int64_t kMaxTransposedEntries = int64_t{2048} * 2048;
  const int64_t nn = static_cast<int64_t>(n_) * n_;
  if (nn > kMaxTransposedEntries) return nullptr;
  if (transposed_.empty()) transposed_.resize(static_cast<size_t>(ws_.sig.binaryCount));
  std::vector<int32_t>& t = transposed_[static_cast<size_t>(op)];
  if (t.empty() && nn > 0) {
    t.resize(static_cast<size_t>(nn));
    const int32_t* src = table_ + op * nn;
    for (int32_t x = 0; x < n_; ++x) {
      for (int32_t y = 0; y < n_; ++y) t[static_cast<size_t>(y) * n_ + x] = src[x * n_ + y];
    }
  }
  return t.data();
}

int32_t FormulaProgram::formulaStep(int32_t f) {
  int32_t& known = formulaStep_[static_cast<size_t>(f)];
  if (known >= 0) return known;
  const TermStore& ts = ws_.terms;
  const int32_t kind = ts.formulaKind[static_cast<size_t>(f)];
  const int32_t fa = ts.formulaA[static_cast<size_t>(f)];
  const int32_t fb = ts.formulaB[static_cast<size_t>(f)];
  int32_t a;
  int32_t b;
  Code code;
  switch (kind) {
    case kEquation:
      code = Code::kEqual;
      a = termStep(fa);
      b = termStep(fb);
      break;
    case kNegation:
      code = Code::kNot;
      a = b = formulaStep(fa);
      break;
    default:
      code = kind == kConjunction   ? Code::kAnd
             : kind == kDisjunction ? Code::kOr
             : kind == kImplication ? Code::kImplies
                                    : Code::kIff;
      a = formulaStep(fa);
      b = formulaStep(fb);
  }
  const int32_t level = std::max(steps_[static_cast<size_t>(a)].level, steps_[static_cast<size_t>(b)].level);
  const int32_t step = addStep(code, level, a, b, 0);
  formulaStep_[static_cast<size_t>(f)] = step;
  return step;
}

void FormulaProgram::computeScalar(const Step& st) {
  const bool atom = st.code == Code::kVariable || st.code == Code::kConstant;
  const int32_t x = atom ? 0 : *view_[static_cast<size_t>(st.a)];
  const int32_t y = atom ? 0 : *view_[static_cast<size_t>(st.b)];
  int32_t out = 0;
  switch (st.code) {
    case Code::kVariable: out = outerValues_[static_cast<size_t>(st.a)]; break;
    case Code::kConstant: out = table_[st.base]; break;
    case Code::kBinary: out = (x < 0 || y < 0) ? -1 : table_[st.base + static_cast<int64_t>(x) * n_ + y]; break;
    case Code::kUnary: out = x < 0 ? -1 : table_[st.base + x]; break;
    case Code::kEqual: out = x == y; break;
    case Code::kAnd: out = x && y; break;
    case Code::kOr: out = x || y; break;
    case Code::kImplies: out = !x || y; break;
    case Code::kIff: out = x == y; break;
    case Code::kNot: out = !x; break;
  }
  values_[static_cast<size_t>(st.slot)] = out;
}

namespace {

// The gathers that do the work of a complete algebra's check. Each is built
// twice, for AVX2 (whose gather instruction vectorises them) and for any
// x86-64, and the loader picks the one the processor runs.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && !defined(__SANITIZE_ADDRESS__)
#define KEST_GATHER_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define KEST_GATHER_CLONES
#endif

KEST_GATHER_CLONES
void gatherRow(int32_t* __restrict out, const int32_t* __restrict row, const int32_t* __restrict index, int32_t n) {
  for (int32_t i = 0; i < n; ++i) out[i] = row[index[i]];
}

KEST_GATHER_CLONES
void gatherPairs(int32_t* __restrict out, const int32_t* __restrict table, const int32_t* __restrict x,
                 const int32_t* __restrict y, int32_t n) {
  for (int32_t i = 0; i < n; ++i) out[i] = table[x[i] * n + y[i]];
}

}  // namespace

// A binary operation on the vectors (or single values) x and y: whole
// rows or columns of the table where one side is the last variable. kCheck
// is false for complete algebras, where no value can be undefined.
template <bool kCheck>
void FormulaProgram::computeBinary(const Step& st, int32_t* __restrict out, size_t self) {
  const int32_t n = n_;
  const int32_t* __restrict x = view_[static_cast<size_t>(st.a)];
  const int32_t* __restrict y = view_[static_cast<size_t>(st.b)];
  const bool vx = vec(st.a);
  const bool vy = vec(st.b);
  const int32_t* t = table_ + st.base;
  if (vx && vy && !kCheck) {
    gatherPairs(out, t, x, y, n);
  } else if (vx && vy) {
    for (int32_t i = 0; i < n; ++i) {
      if (kCheck && (x[i] | y[i]) < 0)
        out[i] = -1;
      else
        out[i] = t[x[i] * n + y[i]];
    }
  } else if (vy) {
    if (kCheck && x[0] < 0) {
      std::fill(out, out + n, -1);
    } else if (isLastVariable(st.b)) {
      view_[self] = t + x[0] * n;  // x op (last variable) is a table row
    } else {
      const int32_t* __restrict row = t + x[0] * n;
      if (!kCheck)
        gatherRow(out, row, y, n);
      else
        for (int32_t i = 0; i < n; ++i) out[i] = y[i] < 0 ? -1 : row[y[i]];
    }
  } else {
    if (kCheck && y[0] < 0) {
      std::fill(out, out + n, -1);
      return;
    }
    if (st.transposed) {
      const int32_t* __restrict column = st.transposed + y[0] * n;
      if (isLastVariable(st.a)) {
        view_[self] = column;  // (last variable) op y is a table column
      } else {
        if (!kCheck)
          gatherRow(out, column, x, n);
        else
          for (int32_t i = 0; i < n; ++i) out[i] = x[i] < 0 ? -1 : column[x[i]];
      }
      return;
    }
    const int32_t* col = t + y[0];
    for (int32_t i = 0; i < n; ++i) out[i] = (kCheck && x[i] < 0) ? -1 : col[x[i] * n];
  }
}

template <bool kCheck>
void FormulaProgram::computeVector(const Step& st) {
  const size_t self = static_cast<size_t>(&st - steps_.data());
  int32_t* __restrict out = values_.data() + st.slot;
  view_[self] = out;
  const int32_t n = n_;
  if (st.code == Code::kVariable) {
    for (int32_t i = 0; i < n; ++i) out[i] = i;
    return;
  }
  const int32_t* __restrict x = view_[static_cast<size_t>(st.a)];
  const int32_t* __restrict y = view_[static_cast<size_t>(st.b)];
  const bool vx = vec(st.a);
  const bool vy = vec(st.b);
  const int32_t* t = table_ + st.base;
  switch (st.code) {
    case Code::kBinary: computeBinary<kCheck>(st, out, self); break;
    case Code::kUnary:
      if (isLastVariable(st.a)) {
        view_[self] = t;  // u(last variable) is the unary table
        break;
      }
      if (!kCheck)
        gatherRow(out, t, x, n);
      else
        for (int32_t i = 0; i < n; ++i) out[i] = x[i] < 0 ? -1 : t[x[i]];
      break;
    default: {
      const int32_t sx = vx ? 1 : 0;
      const int32_t sy = vy ? 1 : 0;
      for (int32_t i = 0; i < n; ++i) {
        const int32_t p = x[i * sx];
        const int32_t q = y[i * sy];
        switch (st.code) {
          case Code::kEqual: out[i] = p == q; break;
          case Code::kAnd: out[i] = p && q; break;
          case Code::kOr: out[i] = p || q; break;
          case Code::kImplies: out[i] = !p || q; break;
          case Code::kIff: out[i] = p == q; break;
          default: out[i] = !p; break;
        }
      }
    }
  }
}

namespace {

// The first lane where x and y differ or x is undefined, or -1; blocks of
// lanes are tested without branches so that the test vectorises.
KEST_GATHER_CLONES
int32_t firstUnequalLane(const int32_t* x, const int32_t* y, int32_t n) {
  constexpr int32_t kBlock = 16;
  int32_t i = 0;
  for (; i + kBlock <= n; i += kBlock) {
    int32_t bad = 0;
    for (int32_t j = i; j < i + kBlock; ++j) bad |= (x[j] != y[j]) | (x[j] < 0);
    if (bad) break;
  }
  for (; i < n; ++i) {
    if (x[i] != y[i] || x[i] < 0) return i;
  }
  return -1;
}

int32_t firstLaneNotEqualTo(const int32_t* x, int32_t value, int32_t n) {
  for (int32_t i = 0; i < n; ++i) {
    if (x[i] != value || x[i] < 0) return i;
  }
  return -1;
}

}  // namespace

int32_t FormulaProgram::firstFailingLane(bool topEquation) const {
  const Step& top = steps_[static_cast<size_t>(top_)];
  if (topEquation) {
    const int32_t* x = view_[static_cast<size_t>(top.a)];
    const int32_t* y = view_[static_cast<size_t>(top.b)];
    if (vec(top.a) && vec(top.b)) return firstUnequalLane(x, y, n_);
    if (vec(top.a)) return firstLaneNotEqualTo(x, y[0], n_);
    // Only the right side varies: the left is one value for every lane.
    if (x[0] < 0) return 0;
    return firstLaneNotEqualTo(y, x[0], n_);
  }
  const int32_t* t = view_[static_cast<size_t>(top_)];
  const int32_t st = vec(top_) ? 1 : 0;
  for (int32_t i = 0; i < n_; ++i) {
    if (!t[i * st]) return i;
  }
  return -1;
}

Verdict FormulaProgram::run(Assignment& s, Progress& progress) {
  const int32_t m = last_ + 1;
  // Steps by level: the scalar ones to redo when a variable at a level
  // changes, and the vector ones redone for every outer assignment.
  std::vector<std::vector<const Step*>> scalarAt(static_cast<size_t>(m));
  std::vector<const Step*> vectors;
  for (const Step& st : steps_) {
    // A top equation is decided from its two sides in firstFailingLane.
    if (topEquation_ && &st == &steps_[static_cast<size_t>(top_)]) continue;
    if (st.level == last_ && st.code == Code::kVariable)
      computeVector<false>(st);
    else if (st.level == last_)
      vectors.push_back(&st);
    else if (st.level < 0)
      computeScalar(st);
    else
      scalarAt[static_cast<size_t>(st.level)].push_back(&st);
  }
  int64_t lanesSincePoll = 0;
  int32_t changed = 0;  // lowest level whose variable changed since the last step
  for (;;) {
    for (int32_t level = changed; level < last_; ++level) {
      for (const Step* st : scalarAt[static_cast<size_t>(level)]) computeScalar(*st);
    }
    for (const Step* st : vectors) {
      if (complete_)
        computeVector<false>(*st);
      else
        computeVector<true>(*st);
    }
    const int32_t lane = firstFailingLane(topEquation_);
    if (lane >= 0) {
      for (int32_t i = 0; i < last_; ++i)
        s[static_cast<size_t>(variables_[static_cast<size_t>(i)])] = outerValues_[static_cast<size_t>(i)];
      s[static_cast<size_t>(variables_[static_cast<size_t>(last_)])] = lane;
      return Verdict::kNotSatisfied;
    }
    lanesSincePoll += n_ * static_cast<int64_t>(vectors.size() + 1);
    if (lanesSincePoll >= (int64_t{1} << 22)) {
      lanesSincePoll = 0;
      if (progress.stopRequested()) return Verdict::kInterrupted;
    }
    int32_t level = last_ - 1;
    while (level >= 0 && outerValues_[static_cast<size_t>(level)] == n_ - 1) --level;
    if (level < 0) break;
    ++outerValues_[static_cast<size_t>(level)];
    std::fill(outerValues_.begin() + level + 1, outerValues_.end(), 0);
    changed = level;
  }
  // The odometer's final state: the first variable past its range, the rest 0.
  for (int32_t v : variables_) s[static_cast<size_t>(v)] = 0;
  s[static_cast<size_t>(variables_[0])] = n_;
  return Verdict::kSatisfied;
}

}  // namespace kest
