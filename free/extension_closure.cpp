#include "free/extension_closure.h"

#include <array>
#include <utility>
#include <vector>

#include "terms/formulas.h"

namespace kest {

namespace {

struct Equation {
  int32_t left;
  int32_t right;
  std::vector<int32_t> variables;  // occurring ones, in alphabetical order
  std::vector<int32_t> compounds;  // distinct compound subterms of both sides
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
    Equation e{ts_.formulaA[static_cast<size_t>(f)], ts_.formulaB[static_cast<size_t>(f)], {}, {}};
    std::vector<uint8_t> seen(static_cast<size_t>(ts_.nodeCount()), 0);
    std::vector<uint8_t> vars(26, 0);
    collect(e.left, seen, vars, e.compounds);
    collect(e.right, seen, vars, e.compounds);
    for (int32_t v = 0; v < 26; ++v) {
      if (vars[static_cast<size_t>(v)]) e.variables.push_back(v);
    }
    equations_.push_back(std::move(e));
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

  int32_t eval(int32_t node) {
    if (node < 26) return bind_[static_cast<size_t>(node)];
    if (node < ts_.firstCompoundNode) return table_[static_cast<size_t>(lay_.constant(node - 26))];
    const int32_t op = ts_.nodeOp[static_cast<size_t>(node)];
    const int32_t a = eval(ts_.nodeLeft[static_cast<size_t>(node)]);
    if (a < 0) return -1;
    if (arity(node) == 1) return entry(op, a, 0);
    const int32_t b = eval(ts_.nodeRight[static_cast<size_t>(node)]);
    return b < 0 ? -1 : entry(op, a, b);
  }

  // One assignment: two defined sides must agree; a side undefined only in
  // its outermost operation gets the other side's value.
  void check(const Equation& e) {
    const int32_t l = eval(e.left);
    const int32_t r = eval(e.right);
    if (l >= 0 && r >= 0) {
      if (l != r) failed_ = true;
    } else if (l < 0 && r >= 0) {
      force(e.left, r);
    } else if (r < 0 && l >= 0) {
      force(e.right, l);
    }
  }

  void force(int32_t node, int32_t v) {
    if (node < 26) return;
    if (node < ts_.firstCompoundNode) {
      failed_ = true;  // a filled constant changes every assignment: the full closure does it
      return;
    }
    const int32_t op = ts_.nodeOp[static_cast<size_t>(node)];
    const int32_t a = eval(ts_.nodeLeft[static_cast<size_t>(node)]);
    if (a < 0) return;
    const int32_t b = arity(node) == 2 ? eval(ts_.nodeRight[static_cast<size_t>(node)]) : 0;
    if (b < 0) return;
    write({op, a, b}, v);
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
