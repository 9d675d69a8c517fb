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
  std::array<std::vector<int32_t>, 26> stepsReading;  // per variable, the steps that depend on it
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

struct Entry {
  int32_t op;
  int32_t x;
  int32_t y;
};

class Closer {
 public:
  Closer(Workspace& ws, int32_t k, Progress& progress)
      : ws_(ws), sig_(ws.sig), ts_(ws.terms), table_(ws.algebras[static_cast<size_t>(k)].table),
        n_(ws.algebras[static_cast<size_t>(k)].card), lay_(ws.layout(k)), progress_(progress) {
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
        std::array<int32_t, 26> others{};
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
      if (stopped()) return restore(ExtensionClosure::kStopped);
      const Entry f = facts_.back();
      facts_.pop_back();
      readersOf(f);
      applyWrites();
    }
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
    std::vector<uint8_t> vars(26, 0);
    collect(e.left, seen, vars, e.compounds);
    collect(e.right, seen, vars, e.compounds);
    for (int32_t v = 0; v < 26; ++v) {
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
      for (int32_t v = 0; v < 26; ++v) {
        if (reads[i] >> v & 1u) e.stepsReading[static_cast<size_t>(v)].push_back(static_cast<int32_t>(i));
      }
    }
    equations_.push_back(std::move(e));
  }

  int32_t compile(int32_t node, std::vector<int32_t>& stepOf, std::vector<Step>& steps) {
    int32_t& known = stepOf[static_cast<size_t>(node)];
    if (known >= 0) return known;
    Step s{Step::kVariable, 0, node, 0};
    if (node >= 26 && node < ts_.firstCompoundNode) {
      s = {Step::kConstant, 0, node - 26, 0};
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
    if (node < 26) {
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
    const int32_t l = values_[static_cast<size_t>(e.leftStep)];
    const int32_t r = values_[static_cast<size_t>(e.rightStep)];
    if (l >= 0 && r >= 0) {
      if (l != r) failed_ = true;
    } else if (l < 0 && r >= 0) {
      force(e.steps[static_cast<size_t>(e.leftStep)], r);
    } else if (r < 0 && l >= 0) {
      force(e.steps[static_cast<size_t>(e.rightStep)], l);
    }
  }

  void force(const Step& s, int32_t v) {
    if (s.kind == Step::kVariable) return;
    if (s.kind == Step::kConstant) {
      failed_ = true;  // a filled constant changes every assignment: the full closure does it
      return;
    }
    const int32_t a = values_[static_cast<size_t>(s.a)];
    const int32_t b = s.kind == Step::kBinary ? values_[static_cast<size_t>(s.b)] : 0;
    if (a >= 0 && b >= 0) write({s.op, a, b}, v);
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
    if (node < 26) {
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
      if (table_[static_cast<size_t>(lay_.constant(node - 26))] == v) found();
      return;
    }
    const int32_t op = ts_.nodeOp[static_cast<size_t>(node)];
    const std::vector<std::pair<int32_t, int32_t>>& pre = preimages_[static_cast<size_t>(op)][static_cast<size_t>(v)];
    const int32_t left = ts_.nodeLeft[static_cast<size_t>(node)];
    if (arity(node) == 1) {
      for (const auto& [x, unused] : pre) match(left, x, found);
      return;
    }
    const int32_t right = ts_.nodeRight[static_cast<size_t>(node)];
    for (const auto& [x, y] : pre) match(left, x, [&] { match(right, y, found); });
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
      int32_t& b = bind_[static_cast<size_t>(free[0])];
      const int32_t end = below > 0 ? n_ - 1 : n_;
      const std::vector<int32_t>& varying = e.stepsReading[static_cast<size_t>(free[0])];
      // Steps that do not read the variable keep their values, until a
      // write may have changed what they read.
      size_t writes = written_.size();
      for (b = 0; b < end && !failed_; ++b) {
        if (b == 0 || written_.size() != writes) {
          evaluate(e);
          writes = written_.size();
        } else {
          for (int32_t i : varying) evaluateStep(e, static_cast<size_t>(i));
        }
        decide(e);
      }
      return;
    }
    std::array<int32_t, 26> value{};
    for (int32_t i = 0; i < count; ++i) {
      if ((i < below ? n_ - 1 : n_) == 0) return;
      bind_[static_cast<size_t>(free[i])] = 0;
    }
    for (;;) {
      check(e);
      if (failed_) return;
      int32_t i = count;
      while (i > 0 && value[static_cast<size_t>(i - 1)] == (i - 1 < below ? n_ - 2 : n_ - 1)) --i;
      if (i == 0) return;
      ++value[static_cast<size_t>(i - 1)];
      bind_[static_cast<size_t>(free[i - 1])] = value[static_cast<size_t>(i - 1)];
      for (int32_t j = i; j < count; ++j) {
        value[static_cast<size_t>(j)] = 0;
        bind_[static_cast<size_t>(free[j])] = 0;
      }
    }
  }

  bool stopped() { return (++polls_ & 0x3FF) == 0 && progress_.stopRequested(); }

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
  Progress& progress_;
  std::vector<Equation> equations_;
  // For each operation and value, the arguments at which it is the value.
  std::vector<std::vector<std::vector<std::pair<int32_t, int32_t>>>> preimages_;
  std::array<int32_t, 26> bind_{};
  std::array<int32_t, 26> unbound_{};
  std::vector<int32_t> values_;  // of the steps of the equation checked last
  std::vector<Entry> facts_;    // filled entries whose readers are still to be checked
  std::vector<Entry> pending_;  // filled during the current search
  std::vector<Entry> written_;
  bool failed_ = false;
  uint32_t polls_ = 0;
};

}  // namespace

ExtensionClosure closeExtension(Workspace& ws, int32_t k, int32_t op, int32_t x, int32_t y, Progress& progress) {
  if (op >= ws.sig.binaryCount + ws.sig.unaryCount) return ExtensionClosure::kNeedsFullClosure;  // a constant
  return Closer(ws, k, progress).run({op, x, op < ws.sig.binaryCount ? y : 0});
}

}  // namespace kest
