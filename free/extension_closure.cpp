#include "free/extension_closure.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "terms/formulas.h"

namespace kest {

namespace {

// One subterm of an equation, evaluated after those it reads.
struct Step {
  enum Kind : int32_t { kVariable, kConstant, kUnary, kBinary } kind;
  int32_t op;
  int32_t a;  // the variable, the constant's number, or the first argument's step
  int32_t b;  // the second argument's step
};

struct Equation {
  int32_t left = 0;
  int32_t right = 0;
  std::vector<int32_t> variables;  // occurring ones, in alphabetical order
  std::vector<int32_t> compounds;  // distinct compound subterms of both sides
  std::vector<Step> steps;         // both sides, shared subterms once
  std::array<std::vector<int32_t>, kVariableCount> stepsReading;  // per variable, the steps that depend on it
  std::array<std::vector<uint8_t>, kVariableCount> varies;        // per variable, per step: whether it depends on it
  int32_t leftStep = 0;
  int32_t rightStep = 0;
};

// A callable passed down the recursive search without copying it.
class Callback {
 public:
  template <typename F>
  Callback(const F& f) : object_(&f), call_([](const void* o) { (*static_cast<const F*>(o))(); }) {}  // NOLINT
  void operator()() const { call_(object_); }

 private:
  const void* object_;
  void (*call_)(const void*);
};

// For one binary table, the positions in each row (or each column) at
// which each value stands: counted once per closure, with the entries
// filled during it kept beside.
class LineIndex {
 public:
  void build(const int32_t* block, int32_t n, bool rows) {
    n_ = n;
    start_.assign(static_cast<size_t>(n) * static_cast<size_t>(n + 1) + 1, 0);
    items_.resize(static_cast<size_t>(n) * static_cast<size_t>(n));
    extra_.assign(static_cast<size_t>(n), {});
    auto at = [&](int32_t line, int32_t i) {
      return block[rows ? static_cast<size_t>(line) * n + i : static_cast<size_t>(i) * n + line];
    };
    for (int32_t line = 0; line < n; ++line) {
      for (int32_t i = 0; i < n; ++i) {
        const int32_t v = at(line, i);
        if (v >= 0) ++start_[slot(line, v) + 1];
      }
    }
    for (size_t k = 1; k < start_.size(); ++k) start_[k] += start_[k - 1];
    std::vector<int32_t> fill(start_.begin(), start_.end() - 1);
    for (int32_t line = 0; line < n; ++line) {
      for (int32_t i = 0; i < n; ++i) {
        const int32_t v = at(line, i);
        if (v >= 0) items_[static_cast<size_t>(fill[slot(line, v)]++)] = i;
      }
    }
  }

  bool built() const { return !start_.empty(); }
  void add(int32_t line, int32_t i) { extra_[static_cast<size_t>(line)].push_back(i); }

  // Calls found(i) for every i at which line holds v (value(i) reads the
  // table, for the entries filled since the count).
  template <typename Value, typename Found>
  void forEach(int32_t line, int32_t v, const Value& value, const Found& found) const {
    for (int32_t k = start_[slot(line, v)]; k < start_[slot(line, v) + 1]; ++k) found(items_[static_cast<size_t>(k)]);
    for (int32_t i : extra_[static_cast<size_t>(line)]) {
      if (value(i) == v) found(i);
    }
  }

 private:
  size_t slot(int32_t line, int32_t v) const { return static_cast<size_t>(line) * static_cast<size_t>(n_ + 1) + static_cast<size_t>(v); }

  int32_t n_ = 0;
  std::vector<int32_t> start_;
  std::vector<int32_t> items_;
  std::vector<std::vector<int32_t>> extra_;
};

struct Entry {
  int32_t op;
  int32_t x;
  int32_t y;
};

class Closer {
 public:
  Closer(Workspace& ws, int32_t k, Progress& progress)
      : ws_(ws), sig_(ws.sig), ts_(ws.terms), table_(ws.algebra(k).table),
        n_(ws.algebra(k).card), lay_(ws.layout(k)), poll_(progress) {
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

  ExtensionClosure run(const Entry& adjoined) {
    const int32_t last = n_ - 1;
    facts_.push_back(adjoined);
    for (int32_t b = 0; b < sig_.binaryCount; ++b) {
      if (sig_.opCommutative[static_cast<size_t>(b)] && adjoined.op == b) facts_.push_back({b, adjoined.y, adjoined.x});
      if (sig_.opIdempotent[static_cast<size_t>(b)]) facts_.push_back({b, last, last});
    }
    // Assignments in which some variable is the new element.
    for (const Equation& e : equations_) {
      if (e.variables.empty()) {
        check(e);
        continue;
      }
      for (size_t first = 0; first < e.variables.size() && !failed_; ++first) {
        bind_.fill(-1);
        bind_[static_cast<size_t>(e.variables[first])] = last;
        std::array<int32_t, kVariableCount> others{};
        int32_t count = 0;
        for (size_t i = 0; i < e.variables.size(); ++i) {
          if (i != first) others[static_cast<size_t>(count++)] = e.variables[i];
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

 private:
  void addEquation(int32_t f) {
    Equation e;
    e.left = ts_.formulaA[static_cast<size_t>(f)];
    e.right = ts_.formulaB[static_cast<size_t>(f)];
    std::vector<uint8_t> seen(static_cast<size_t>(ts_.nodeCount()), 0);
    std::vector<uint8_t> vars(kVariableCount, 0);
    collect(e.left, seen, vars, e.compounds);
    collect(e.right, seen, vars, e.compounds);
    for (int32_t v = 0; v < kVariableCount; ++v) {
      if (vars[static_cast<size_t>(v)]) e.variables.push_back(v);
    }
    std::vector<int32_t> stepOf(static_cast<size_t>(ts_.nodeCount()), -1);
    e.leftStep = compile(e.left, stepOf, e.steps);
    e.rightStep = compile(e.right, stepOf, e.steps);
    values_.resize(std::max(values_.size(), e.steps.size()));
    std::vector<uint32_t> reads(e.steps.size(), 0);  // variables as bits
    for (size_t i = 0; i < e.steps.size(); ++i) {
      const Step& st = e.steps[i];
      if (st.kind == Step::kVariable) reads[i] = 1u << st.a;
      if (st.kind == Step::kUnary) reads[i] = reads[static_cast<size_t>(st.a)];
      if (st.kind == Step::kBinary) reads[i] = reads[static_cast<size_t>(st.a)] | reads[static_cast<size_t>(st.b)];
      for (int32_t v = 0; v < kVariableCount; ++v) {
        e.varies[static_cast<size_t>(v)].push_back(static_cast<uint8_t>(reads[i] >> v & 1u));
        if (reads[i] >> v & 1u) e.stepsReading[static_cast<size_t>(v)].push_back(static_cast<int32_t>(i));
      }
    }
    equations_.push_back(std::move(e));
  }

  int32_t compile(int32_t node, std::vector<int32_t>& stepOf, std::vector<Step>& steps) {
    int32_t& known = stepOf[static_cast<size_t>(node)];
    if (known >= 0) return known;
    Step s{Step::kVariable, 0, node, 0};
    if (ts_.isConstantNode(node)) {
      s = {Step::kConstant, 0, constantOfNode(node), 0};
    } else if (node >= ts_.firstCompoundNode) {
      const int32_t op = ts_.nodeOp[static_cast<size_t>(node)];
      const int32_t a = compile(ts_.nodeLeft[static_cast<size_t>(node)], stepOf, steps);
      const int32_t b = arity(node) == 2 ? compile(ts_.nodeRight[static_cast<size_t>(node)], stepOf, steps) : 0;
      s = {arity(node) == 2 ? Step::kBinary : Step::kUnary, op, a, b};
    }
    steps.push_back(s);
    known = static_cast<int32_t>(steps.size()) - 1;
    return known;
  }

  void collect(int32_t node, std::vector<uint8_t>& seen, std::vector<uint8_t>& vars, std::vector<int32_t>& out) {
    if (isVariableNode(node)) {
      vars[static_cast<size_t>(node)] = 1;
      return;
    }
    if (node < ts_.firstCompoundNode || seen[static_cast<size_t>(node)]) return;
    seen[static_cast<size_t>(node)] = 1;
    out.push_back(node);
    collect(ts_.nodeLeft[static_cast<size_t>(node)], seen, vars, out);
    if (arity(node) == 2) collect(ts_.nodeRight[static_cast<size_t>(node)], seen, vars, out);
  }

  int32_t arity(int32_t node) const { return sig_.opArity[static_cast<size_t>(ts_.nodeOp[static_cast<size_t>(node)])]; }

  int32_t& entryRef(int32_t op, int32_t x, int32_t y) {
    return table_[static_cast<size_t>(op < sig_.binaryCount ? lay_.binary(op, x, y) : lay_.unary(op, x))];
  }
  int32_t entry(int32_t op, int32_t x, int32_t y) { return entryRef(op, x, y); }

  // The values of all steps of e under the bindings.
  void evaluate(const Equation& e) {
    for (size_t i = 0; i < e.steps.size(); ++i) evaluateStep(e, i);
  }

  void evaluateStep(const Equation& e, size_t i) {
    const int32_t* t = table_.data();
    const int64_t n = n_;
    {
      const Step& s = e.steps[i];
      int32_t v = -1;
      switch (s.kind) {
        case Step::kVariable: v = bind_[static_cast<size_t>(s.a)]; break;
        case Step::kConstant: v = t[lay_.constant(s.a)]; break;
        case Step::kUnary: {
          const int32_t x = values_[static_cast<size_t>(s.a)];
          if (x >= 0) v = t[lay_.unary(s.op, x)];
          break;
        }
        case Step::kBinary: {
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
  void check(const Equation& e) {
    evaluate(e);
    decide(e);
  }

  void decide(const Equation& e) {
    decideWith(e, [&](int32_t step) { return values_[static_cast<size_t>(step)]; });
  }

  // The decision of one assignment, value(step) giving the steps' values.
  template <typename Value>
  void decideWith(const Equation& e, const Value& value) {
    const int32_t l = value(e.leftStep);
    const int32_t r = value(e.rightStep);
    if (l >= 0 && r >= 0) {
      if (l != r) failed_ = true;
    } else if (l < 0 && r >= 0) {
      force(e.steps[static_cast<size_t>(e.leftStep)], r, value);
    } else if (r < 0 && l >= 0) {
      force(e.steps[static_cast<size_t>(e.rightStep)], l, value);
    }
  }

  template <typename Value>
  void force(const Step& s, int32_t v, const Value& value) {
    if (s.kind == Step::kVariable) return;
    if (s.kind == Step::kConstant) {
      failed_ = true;  // a filled constant changes every assignment: the full closure does it
      return;
    }
    const int32_t a = value(s.a);
    const int32_t b = s.kind == Step::kBinary ? value(s.b) : 0;
    if (a >= 0 && b >= 0) write({s.op, a, b}, v);
  }

  // Every value below end of variable var, the others bound: the steps
  // that read var are computed for all values at once, each in a loop of
  // its own. After a write the values still to come are computed again.
  void sweepVariable(const Equation& e, int32_t var, int32_t end) {
    const std::vector<uint8_t>& varying = e.varies[static_cast<size_t>(var)];
    const size_t n = static_cast<size_t>(n_);
    if (lanes_.size() < e.steps.size() * n) lanes_.resize(e.steps.size() * n);
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

  void lanesOfStep(const Equation& e, int32_t i, const std::vector<uint8_t>& varying, int32_t from, int32_t end) {
    const Step& s = e.steps[static_cast<size_t>(i)];
    const size_t n = static_cast<size_t>(n_);
    int32_t* out = lanes_.data() + static_cast<size_t>(i) * n;
    if (s.kind == Step::kVariable) {
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
    if (s.kind == Step::kUnary) {
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

  // Fills an entry at once, so later assignments see it; its readers are
  // looked for after the current search, which reads the preimages.
  void write(const Entry& e, int32_t v) {
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

  void applyWrites() {
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

  // Every assignment of the equations whose evaluation reads entry f.
  void readersOf(const Entry& f) {
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
  void match(int32_t node, int32_t v, Callback found) {
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
        lineIndex(rows_, op, true).forEach(
            u, v, [&](int32_t y) { return entry(op, u, y); }, [&](int32_t y) { match(right, y, found); });
      }
    } else if (rightKnown) {
      if (w >= 0) {
        lineIndex(columns_, op, false).forEach(
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
  const LineIndex& lineIndex(std::vector<LineIndex>& indexes, int32_t op, bool rows) {
    LineIndex& index = indexes[static_cast<size_t>(op)];
    if (!index.built()) index.build(table_.data() + lay_.binary(op, 0, 0), n_, rows);
    return index;
  }

  // Whether the bindings give node a value (-1 when that is undefined).
  bool known(int32_t node, int32_t& value) {
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

  void enumerateUnbound(const Equation& e) {
    int32_t count = 0;
    for (int32_t v : e.variables) {
      if (bind_[static_cast<size_t>(v)] < 0) unbound_[static_cast<size_t>(count++)] = v;
    }
    enumerate(e, unbound_.data(), count, 0);
    for (int32_t i = 0; i < count; ++i) bind_[static_cast<size_t>(unbound_[static_cast<size_t>(i)])] = -1;
  }

  // All values of the count variables free[], the first below of them only
  // up to the element before the last; each assignment checked.
  void enumerate(const Equation& e, const int32_t* free, int32_t count, int32_t below) {
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

  // Polled between sweeps; a stop ends every search like a failure.
  bool stopped() {
    if (poll_.add(1024)) stopped_ = failed_ = true;
    return stopped_;
  }

  ExtensionClosure restore(ExtensionClosure result) {
    for (const Entry& e : written_) entryRef(e.op, e.x, e.y) = -1;
    return result;
  }

  Workspace& ws_;
  const Signature& sig_;
  const TermStore& ts_;
  std::vector<int32_t>& table_;
  int32_t n_;
  TableLayout lay_;
  WorkPoll poll_;
  std::vector<Equation> equations_;
  // For each operation and value, the arguments at which it is the value.
  std::vector<std::vector<std::vector<std::pair<int32_t, int32_t>>>> preimages_;
  std::vector<LineIndex> rows_;     // per binary operation
  std::vector<LineIndex> columns_;
  std::array<int32_t, kVariableCount> bind_{};
  std::array<int32_t, kVariableCount> unbound_{};
  std::vector<int32_t> values_;  // of the steps of the equation checked last
  std::vector<int32_t> lanes_;   // of its steps that read the swept variable, per value
  std::vector<Entry> facts_;    // filled entries whose readers are still to be checked
  std::vector<Entry> pending_;  // filled during the current search
  std::vector<Entry> written_;
  bool failed_ = false;
  bool stopped_ = false;
};

}  // namespace

ExtensionClosure closeExtension(Workspace& ws, int32_t k, int32_t op, int32_t x, int32_t y, Progress& progress) {
  if (op >= ws.sig.binaryCount + ws.sig.unaryCount) return ExtensionClosure::kNeedsFullClosure;  // a constant
  return Closer(ws, k, progress).run({op, x, op < ws.sig.binaryCount ? y : 0});
}

}  // namespace kest
