#include "free/free_in_hsp.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "core/algebra_store.h"
#include "free/boolean_completeness.h"
#include "free/trivial_clone.h"
#include "free/vector_store.h"

namespace kest {

namespace {

// The operations of A acting entrywise on vectors: bytes, or bits for a
// two-element A (then every operation is a Boolean function of the words).
class VectorOps {
 public:
  VectorOps(const AlgebraView& a, int64_t length, int64_t words)
      : sig_(a.signature()), m_(a.card()), length_(length), words_(words), bits_(m_ == 2) {
    for (int32_t b = 0; b < sig_.binaryCount; ++b) {
      std::vector<uint8_t> t(static_cast<size_t>(m_) * m_);
      for (int32_t i = 0; i < m_ * m_; ++i) t[static_cast<size_t>(i)] = static_cast<uint8_t>(a.binaryTable(b)[i]);
      binary_.push_back(std::move(t));
    }
    for (int32_t u = sig_.binaryCount; u < sig_.binaryCount + sig_.unaryCount; ++u) {
      std::vector<uint8_t> t(static_cast<size_t>(m_));
      for (int32_t i = 0; i < m_; ++i) t[static_cast<size_t>(i)] = static_cast<uint8_t>(a.unary(u, i));
      unary_.push_back(std::move(t));
    }
    lastMask_ = bits_ && length % 64 ? (uint64_t{1} << (length % 64)) - 1 : ~uint64_t{0};
  }

  bool symmetric(int32_t b) const {
    const std::vector<uint8_t>& t = binary_[static_cast<size_t>(b)];
    for (int32_t x = 0; x < m_; ++x) {
      for (int32_t y = 0; y < x; ++y) {
        if (t[static_cast<size_t>(x) * m_ + y] != t[static_cast<size_t>(y) * m_ + x]) return false;
      }
    }
    return true;
  }

  void binary(int32_t b, const uint64_t* x, const uint64_t* y, uint64_t* out) const {
    const std::vector<uint8_t>& t = binary_[static_cast<size_t>(b)];
    if (bits_) {
      for (int64_t w = 0; w < words_; ++w) {
        const uint64_t x1 = x[w], x0 = ~x[w], y1 = y[w], y0 = ~y[w];
        uint64_t r = 0;
        if (t[0]) r |= x0 & y0;
        if (t[1]) r |= x0 & y1;
        if (t[2]) r |= x1 & y0;
        if (t[3]) r |= x1 & y1;
        out[w] = r;
      }
      out[words_ - 1] &= lastMask_;
      return;
    }
    const auto* xb = reinterpret_cast<const uint8_t*>(x);
    const auto* yb = reinterpret_cast<const uint8_t*>(y);
    auto* ob = reinterpret_cast<uint8_t*>(out);
    for (int64_t i = 0; i < length_; ++i) ob[i] = t[static_cast<size_t>(xb[i]) * m_ + yb[i]];
  }

  void unary(int32_t u, const uint64_t* x, uint64_t* out) const {
    const std::vector<uint8_t>& t = unary_[static_cast<size_t>(u)];
    if (bits_) {
      for (int64_t w = 0; w < words_; ++w) out[w] = (t[1] ? x[w] : 0) | (t[0] ? ~x[w] : 0);
      out[words_ - 1] &= lastMask_;
      return;
    }
    const auto* xb = reinterpret_cast<const uint8_t*>(x);
    auto* ob = reinterpret_cast<uint8_t*>(out);
    for (int64_t i = 0; i < length_; ++i) ob[i] = t[xb[i]];
  }

  int32_t binaryEntry(int32_t b, int32_t x, int32_t y) const {
    return binary_[static_cast<size_t>(b)][static_cast<size_t>(x * m_ + y)];
  }
  int32_t unaryEntry(int32_t u, int32_t x) const { return unary_[static_cast<size_t>(u)][static_cast<size_t>(x)]; }
  uint64_t lastMask() const { return lastMask_; }

  // Entry t of a vector and the constant vector of value v.
  void set(uint64_t* v, int64_t t, int32_t value) const {
    if (bits_) {
      if (value) v[t / 64] |= uint64_t{1} << (t % 64);
    } else {
      reinterpret_cast<uint8_t*>(v)[t] = static_cast<uint8_t>(value);
    }
  }

 private:
  const Signature& sig_;
  int32_t m_;
  int64_t length_;
  int64_t words_;
  bool bits_;
  uint64_t lastMask_;
  std::vector<std::vector<uint8_t>> binary_;
  std::vector<std::vector<uint8_t>> unary_;
};

constexpr int64_t kMaxVectorBytes = int64_t{6} << 30;

// The breadth-first closure: the vector at the cursor is combined with
// every earlier one and itself, by each binary operation in order (both
// ways unless flagged commutative), then taken through each unary one.
// binary(b, x, y) and unary(u, x) add the result and return false once
// there are too many; full stops the closure early.
template <class Binary, class Unary>
FreeInHspResult::Status closeBreadthFirst(const VectorStore& store, const Signature& sig,
                                          const std::vector<uint8_t>& commutative, const bool& full, Progress& progress,
                                          Binary&& binary, Unary&& unary) {
  WorkPoll poll(progress);
  for (int32_t cur = 0; cur < store.count() && !full; ++cur) {
    // The vector at the cursor meets every earlier one: cur vectors' work.
    const int64_t work = (static_cast<int64_t>(cur) + 1) * store.words() * (2 * sig.binaryCount + sig.unaryCount + 1);
    if (poll.add(work, [&] { progress.report(store.count(), 0, "elements"); })) {
      return FreeInHspResult::Status::kInterrupted;
    }
    for (int32_t b = 0; b < sig.binaryCount && !full; ++b) {
      for (int32_t x = 0; x <= cur && !full; ++x) {
        if (!binary(b, x, cur)) return FreeInHspResult::Status::kTooMany;
        if (commutative[static_cast<size_t>(b)]) continue;
        if (!binary(b, cur, x)) return FreeInHspResult::Status::kTooMany;
      }
    }
    for (int32_t u = 0; u < sig.unaryCount; ++u) {
      if (!unary(u, cur)) return FreeInHspResult::Status::kTooMany;
    }
  }
  return FreeInHspResult::Status::kSize;
}

// The operations of a two-element A on single words of bits, branch-free:
// entry (i, j) of a table decides the bits where x is i and y is j.
class WordOps {
 public:
  WordOps(const VectorOps& ops, const Signature& sig) {
    for (int32_t b = 0; b < sig.binaryCount; ++b) {
      std::array<uint64_t, 4> m{};
      for (int32_t i = 0; i < 4; ++i) m[static_cast<size_t>(i)] = ops.binaryEntry(b, i >> 1, i & 1) ? ~uint64_t{0} : 0;
      binary_.push_back(m);
    }
    for (int32_t u = 0; u < sig.unaryCount; ++u) {
      unary_.push_back({ops.unaryEntry(u, 0) ? ~uint64_t{0} : 0, ops.unaryEntry(u, 1) ? ~uint64_t{0} : 0});
    }
    mask_ = ops.lastMask();
  }
  uint64_t mask() const { return mask_; }
  const std::array<uint64_t, 4>& masks(int32_t b) const { return binary_[static_cast<size_t>(b)]; }
  uint64_t binary(int32_t b, uint64_t x, uint64_t y) const {
    const std::array<uint64_t, 4>& m = binary_[static_cast<size_t>(b)];
    return ((~x & ~y & m[0]) | (~x & y & m[1]) | (x & ~y & m[2]) | (x & y & m[3])) & mask_;
  }
  uint64_t unary(int32_t u, uint64_t x) const {
    const std::array<uint64_t, 2>& m = unary_[static_cast<size_t>(u)];
    return ((~x & m[0]) | (x & m[1])) & mask_;
  }

 private:
  std::vector<std::array<uint64_t, 4>> binary_;
  std::vector<std::array<uint64_t, 2>> unary_;
  uint64_t mask_;
};

// The same closure as closeBreadthFirst for vectors of one word with a
// dense index, written out so that the inner loop stays in registers.
FreeInHspResult::Status closeWords(VectorStore& store, const WordOps& ops, const Signature& sig,
                                   const std::vector<uint8_t>& commutative, int64_t limit, int64_t wholePower,
                                   Progress& progress) {
  const int32_t* dense = store.dense();
  std::vector<uint64_t> word;
  for (int32_t i = 0; i < store.count(); ++i) word.push_back(store.vector(i)[0]);
  // Adds v when new; returns 1 to go on, 0 when the power is full, -1 when too many.
  auto add = [&](uint64_t v) {
    if (dense[v] >= 0) return 1;
    store.append(&v);
    word.push_back(v);
    if (store.count() > limit) return -1;
    return store.count() == wholePower ? 0 : 1;
  };
  if (store.count() == wholePower) return FreeInHspResult::Status::kSize;
  WorkPoll poll(progress);
  for (int32_t cur = 0; cur < store.count(); ++cur) {
    if (poll.add((static_cast<int64_t>(cur) + 1) * (2 * sig.binaryCount + sig.unaryCount + 1),
                 [&] { progress.report(store.count(), 0, "elements"); })) {
      return FreeInHspResult::Status::kInterrupted;
    }
    for (int32_t b = 0; b < sig.binaryCount; ++b) {
      const std::array<uint64_t, 4> m = ops.masks(b);
      const uint64_t y = word[static_cast<size_t>(cur)];
      const uint64_t mask = ops.mask();
      const bool both = commutative[static_cast<size_t>(b)] == 0;
      for (int32_t x = 0; x <= cur; ++x) {
        const uint64_t xv = word[static_cast<size_t>(x)];
        const uint64_t v = ((~xv & ~y & m[0]) | (~xv & y & m[1]) | (xv & ~y & m[2]) | (xv & y & m[3])) & mask;
        if (dense[v] < 0) {
          const int r = add(v);
          if (r <= 0) return r < 0 ? FreeInHspResult::Status::kTooMany : FreeInHspResult::Status::kSize;
        }
        if (!both) continue;
        const int r = add(ops.binary(b, y, xv));
        if (r <= 0) return r < 0 ? FreeInHspResult::Status::kTooMany : FreeInHspResult::Status::kSize;
      }
    }
    for (int32_t u = 0; u < sig.unaryCount; ++u) {
      const int r = add(ops.unary(u, word[static_cast<size_t>(cur)]));
      if (r <= 0) return r < 0 ? FreeInHspResult::Status::kTooMany : FreeInHspResult::Status::kSize;
    }
  }
  return FreeInHspResult::Status::kSize;
}

}  // namespace

namespace {

using Status = FreeInHspResult::Status;

// More generators than the stop: the answer is known without a vector of
// m^n entries. The free algebra holds the n distinct projections and the
// constant values, and more exactly when some operation leads out of them
// (then more than limit, when no two constants agree). Nothing when that
// does not apply.
std::optional<FreeInHspResult> answerWithoutVectors(Workspace& ws, int32_t n, int32_t k, int32_t stop, int32_t tables) {
  const AlgebraView a = ws.view(k);
  if (a.card() < 2 || n <= stop || n < 1 || distinctConstantValues(a) != a.constantCount()) return std::nullopt;
  if (!onlyProjectionsAndConstants(a, n)) return FreeInHspResult{Status::kTooMany, 0};
  const int64_t size = int64_t{n} + a.constantCount();
  if (size > tables) return FreeInHspResult{Status::kSize, size};
  if (!tableFits(ws, size)) return FreeInHspResult{Status::kTablesTooBig, size};
  appendProjectionsAndConstants(ws, k, n);
  return FreeInHspResult{Status::kSize, size};
}

// The vectors of A^(m^n): their length m^n, their words, and how many there
// are (the whole power; -1 past 2^62). Too big when the store of limit + 2
// vectors could not be had.
struct Power {
  int64_t length = 1;
  int64_t words = 1;
  int64_t whole = 1;
  bool tooBig = false;
};

Power powerOf(int32_t m, int32_t n, int64_t limit) {
  Power p;
  for (int32_t i = 0; i < n && !p.tooBig; ++i) {
    p.length *= m;
    p.tooBig = p.length > (int64_t{1} << 36);
  }
  if (p.tooBig) return p;
  p.words = std::max<int64_t>(1, m == 2 ? (p.length + 63) / 64 : (p.length + 7) / 8);
  p.tooBig = n < 0 || (limit + 2) > kMaxVectorBytes / (8 * p.words);
  p.whole = m == 0 ? 0 : 1;
  for (int64_t i = 0; i < p.length && p.whole >= 0; ++i) {
    p.whole = p.whole > (int64_t{1} << 62) / std::max(m, 1) ? -1 : p.whole * m;
  }
  return p;
}

// The vector of generator g (digit g of the assignment: constant on runs
// of m^(n-1-g) assignments) or of a constant value, into w.
bool generatorVector(const VectorOps& ops, int32_t m, int32_t n, int32_t g, int64_t length, std::vector<uint64_t>& w,
                     WorkPoll& poll) {
  int64_t run = 1;
  for (int32_t i = n - 1; i > g; --i) run *= m;
  std::fill(w.begin(), w.end(), 0);
  for (int64_t t = 0; t < length; ++t) {
    ops.set(w.data(), t, static_cast<int32_t>((t / run) % m));
    if (poll.add(1)) return false;
  }
  return true;
}

void constantVector(const VectorOps& ops, int32_t value, int64_t length, std::vector<uint64_t>& w) {
  std::fill(w.begin(), w.end(), 0);
  for (int64_t t = 0; t < length; ++t) ops.set(w.data(), t, value);
}

// Appends the algebra of the stored vectors with its tables; nothing and
// kInterrupted when the user stopped it.
Status appendTables(Workspace& ws, int32_t k, const VectorStore& store, const VectorOps& ops, int64_t length,
                    WorkPoll& poll) {
  const Signature& sig = ws.sig;
  const int32_t size = store.count();
  const int32_t f = createAlgebra(ws, size);
  if (f < 0) return Status::kSize;
  Algebra& out = ws.algebra(f);
  const TableLayout lo = ws.layout(f);
  std::vector<uint64_t> w(static_cast<size_t>(store.words()));
  for (int32_t b = 0; b < sig.binaryCount; ++b) {
    // A table that is symmetric in A gives a symmetric table here.
    const bool mirror = ops.symmetric(b);
    for (int32_t i = 0; i < size; ++i) {
      if (poll.add(static_cast<int64_t>(size) * store.words())) {
        deleteAlgebra(ws, f);
        return Status::kInterrupted;
      }
      for (int32_t j = mirror ? i : 0; j < size; ++j) {
        ops.binary(b, store.vector(i), store.vector(j), w.data());
        const int32_t e = store.find(w.data());
        out.table[static_cast<size_t>(lo.binary(b, i, j))] = e;
        if (mirror) out.table[static_cast<size_t>(lo.binary(b, j, i))] = e;
      }
    }
  }
  for (int32_t u = sig.binaryCount; u < sig.binaryCount + sig.unaryCount; ++u) {
    for (int32_t i = 0; i < size; ++i) {
      ops.unary(u - sig.binaryCount, store.vector(i), w.data());
      out.table[static_cast<size_t>(lo.unary(u, i))] = store.find(w.data());
    }
  }
  for (int32_t c = 0; c < sig.constantCount; ++c) {
    constantVector(ops, ws.view(k).constant(c), length, w);
    out.table[static_cast<size_t>(lo.constant(c))] = store.find(w.data());
  }
  return Status::kSize;
}

}  // namespace

FreeInHspResult buildFreeInHSP(Workspace& ws, int32_t n, int32_t k, int32_t stop, int32_t tables, Progress& progress) {
  const Signature& sig = ws.sig;
  const int32_t m = ws.algebra(k).card;
  const int64_t limit = std::max<int64_t>(stop, static_cast<int64_t>(sig.constantCount) + std::max(n, 0));
  if (const std::optional<FreeInHspResult> answer = answerWithoutVectors(ws, n, k, stop, tables)) return *answer;
  const Power power = powerOf(m, n, limit);
  if (power.tooBig) return {Status::kTooBig, 0};
  // A two-element algebra whose term operations are all operations: the
  // closure would end with the whole power. Only its order of elements
  // needs the closure, when the tables are built.
  if (n >= 1 && isFunctionallyComplete(ws.view(k))) {
    if (power.whole < 0 || power.whole > limit) return {Status::kTooMany, 0};
    if (power.whole > tables) return {Status::kSize, power.whole};
    if (!tableFits(ws, power.whole)) return {Status::kTablesTooBig, power.whole};
  }
  VectorStore store(power.length, m);
  const VectorOps ops(ws.view(k), power.length, power.words);
  std::vector<uint64_t> w(static_cast<size_t>(power.words));
  bool full = false;
  // Appends w unless stored; false once there are more than limit.
  auto add = [&]() {
    if (store.find(w.data()) >= 0) return true;
    store.append(w.data());
    full = store.count() == power.whole;
    return store.count() <= limit;
  };
  WorkPoll poll(progress);
  for (int32_t g = 0; g < n; ++g) {
    if (!generatorVector(ops, m, n, g, power.length, w, poll)) return {Status::kInterrupted, 0};
    if (!add()) return {Status::kTooMany, 0};
  }
  for (int32_t c = 0; c < sig.constantCount; ++c) {
    constantVector(ops, ws.view(k).constant(c), power.length, w);
    if (!add()) return {Status::kTooMany, 0};
  }
  std::vector<uint8_t> commutative(static_cast<size_t>(sig.binaryCount));
  for (int32_t b = 0; b < sig.binaryCount; ++b)
    commutative[static_cast<size_t>(b)] = sig.opCommutative[static_cast<size_t>(b)];
  Status status;
  if (store.dense() != nullptr && m == 2 && power.words == 1) {
    // Vectors of at most 24 bits, one word each: the operation is a Boolean
    // function of two words and the lookup one load.
    status = closeWords(store, WordOps(ops, sig), sig, commutative, limit, power.whole, progress);
  } else {
    status = closeBreadthFirst(
        store, sig, commutative, full, progress,
        [&](int32_t b, int32_t x, int32_t y) {
          ops.binary(b, store.vector(x), store.vector(y), w.data());
          return add();
        },
        [&](int32_t u, int32_t x) {
          ops.unary(u, store.vector(x), w.data());
          return add();
        });
  }
  if (status != Status::kSize) return {status, 0};
  const int64_t size = store.count();
  if (size > tables) return {Status::kSize, size};
  if (!tableFits(ws, size)) return {Status::kTablesTooBig, size};
  const Status appended = appendTables(ws, k, store, ops, power.length, poll);
  return appended == Status::kSize ? FreeInHspResult{Status::kSize, size} : FreeInHspResult{appended, 0};
}

}  // namespace kest
