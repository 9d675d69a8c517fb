#include "free/free_in_hsp.h"

#include <algorithm>
#include <vector>

#include "core/algebra_store.h"
#include "free/vector_store.h"

namespace kest {

namespace {

// The operations of A acting entrywise on vectors: bytes, or bits for a
// two-element A (then every operation is a Boolean function of the words).
class VectorOps {
 public:
  VectorOps(const Workspace& ws, int32_t k, int64_t length, int64_t words)
      : sig_(ws.sig), m_(ws.algebras[static_cast<size_t>(k)].card), length_(length), words_(words),
        bits_(m_ == 2) {
    const Algebra& a = ws.algebras[static_cast<size_t>(k)];
    const TableLayout lay = ws.layout(k);
    for (int32_t b = 0; b < sig_.binaryCount; ++b) {
      std::vector<uint8_t> t(static_cast<size_t>(m_) * m_);
      for (int32_t i = 0; i < m_ * m_; ++i) t[static_cast<size_t>(i)] = static_cast<uint8_t>(a.table[static_cast<size_t>(lay.binary(b, 0, 0) + i)]);
      binary_.push_back(std::move(t));
    }
    for (int32_t u = sig_.binaryCount; u < sig_.binaryCount + sig_.unaryCount; ++u) {
      std::vector<uint8_t> t(static_cast<size_t>(m_));
      for (int32_t i = 0; i < m_; ++i) t[static_cast<size_t>(i)] = static_cast<uint8_t>(a.table[static_cast<size_t>(lay.unary(u, i))]);
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

}  // namespace

FreeInHspResult buildFreeInHSP(Workspace& ws, int32_t n, int32_t k, int32_t stop, int32_t tables, Progress& progress) {
  FreeInHspResult result;
  const Signature& sig = ws.sig;
  const int32_t m = ws.algebras[static_cast<size_t>(k)].card;
  const int64_t limit = std::max<int64_t>(stop, static_cast<int64_t>(sig.constantCount) + std::max(n, 0));
  // N = m^n, refused before anything is allocated when the store cannot fit.
  int64_t length = 1;
  for (int32_t i = 0; i < n; ++i) {
    length *= m;
    if (length > (int64_t{1} << 36)) {
      result.status = FreeInHspResult::Status::kTooBig;
      return result;
    }
  }
  const bool bits = m == 2;
  const int64_t words = std::max<int64_t>(1, bits ? (length + 63) / 64 : (length + 7) / 8);
  if (n < 0 || (limit + 2) > kMaxVectorBytes / (8 * words)) {
    result.status = FreeInHspResult::Status::kTooBig;
    return result;
  }
  VectorStore store(length, bits);
  const VectorOps ops(ws, k, length, words);
  std::vector<uint64_t> w(static_cast<size_t>(words));
  // The whole power A^N holds m^N vectors (-1 when that passes 2^62): a
  // store that holds them all is closed, and nothing more need be tried.
  int64_t wholePower = m == 0 ? 0 : 1;
  for (int64_t i = 0; i < length && wholePower >= 0; ++i) {
    wholePower = wholePower > (int64_t{1} << 62) / std::max(m, 1) ? -1 : wholePower * m;
  }
  bool full = false;
  // Appends w unless stored; false once there are more than limit.
  auto add = [&]() {
    if (store.find(w.data()) >= 0) return true;
    store.append(w.data());
    full = store.count() == wholePower;
    return store.count() <= limit;
  };
  for (int32_t g = 0; g < n; ++g) {
    std::fill(w.begin(), w.end(), 0);
    for (int64_t t = 0; t < length; ++t) {
      int64_t digit = t;
      for (int32_t i = n - 1; i > g; --i) digit /= m;
      ops.set(w.data(), t, static_cast<int32_t>(digit % m));
    }
    if (!add()) return {FreeInHspResult::Status::kTooMany, 0};
  }
  const Algebra& a = ws.algebras[static_cast<size_t>(k)];
  const TableLayout lay = ws.layout(k);
  for (int32_t c = 0; c < sig.constantCount; ++c) {
    std::fill(w.begin(), w.end(), 0);
    for (int64_t t = 0; t < length; ++t) ops.set(w.data(), t, a.table[static_cast<size_t>(lay.constant(c))]);
    if (!add()) return {FreeInHspResult::Status::kTooMany, 0};
  }
  std::vector<uint8_t> commutative(static_cast<size_t>(sig.binaryCount));
  for (int32_t b = 0; b < sig.binaryCount; ++b) commutative[static_cast<size_t>(b)] = sig.opCommutative[static_cast<size_t>(b)];
  for (int32_t cur = 0; cur < store.count() && !full; ++cur) {
    if (((cur & 63) == 0 || cur > 4096) && progress.stopRequested()) return {FreeInHspResult::Status::kInterrupted, 0};
    for (int32_t b = 0; b < sig.binaryCount && !full; ++b) {
      for (int32_t x = 0; x <= cur && !full; ++x) {
        ops.binary(b, store.vector(x), store.vector(cur), w.data());
        if (!add()) return {FreeInHspResult::Status::kTooMany, 0};
        if (commutative[static_cast<size_t>(b)]) continue;
        ops.binary(b, store.vector(cur), store.vector(x), w.data());
        if (!add()) return {FreeInHspResult::Status::kTooMany, 0};
      }
    }
    for (int32_t u = sig.binaryCount; u < sig.binaryCount + sig.unaryCount; ++u) {
      ops.unary(u - sig.binaryCount, store.vector(cur), w.data());
      if (!add()) return {FreeInHspResult::Status::kTooMany, 0};
    }
  }
  result.size = store.count();
  if (result.size > tables || !tableFits(ws, result.size)) return result;
  const int32_t size = result.size;
  const int32_t f = createAlgebra(ws, size);
  if (f < 0) return result;
  Algebra& out = ws.algebras[static_cast<size_t>(f)];
  const TableLayout lo = ws.layout(f);
  for (int32_t b = 0; b < sig.binaryCount; ++b) {
    // A table that is symmetric in A gives a symmetric table here.
    const bool mirror = ops.symmetric(b);
    for (int32_t i = 0; i < size; ++i) {
      if ((i & 63) == 0 && progress.stopRequested()) {
        deleteAlgebra(ws, f);
        return {FreeInHspResult::Status::kInterrupted, 0};
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
    std::fill(w.begin(), w.end(), 0);
    for (int64_t t = 0; t < length; ++t) ops.set(w.data(), t, a.table[static_cast<size_t>(lay.constant(c))]);
    out.table[static_cast<size_t>(lo.constant(c))] = store.find(w.data());
  }
  return result;
}

}  // namespace kest
