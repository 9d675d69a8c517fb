#include "structure/embedding.h"

#include <unordered_map>
#include <utility>

#include "structure/embedding_steps.h"
#include "structure/subuniverse.h"

namespace kest {

namespace {

int32_t countMembers(const std::vector<uint8_t>& m) {
  int32_t c = 0;
  for (uint8_t v : m) c += v;
  return c;
}

}  // namespace

// The map is built from the constants and propagated over a worklist: every
// newly mapped x is combined with every mapped y in both orders. The
// outcome (the forced map, or a conflict) does not depend on the order.
bool propagate(const AlgebraView& A, const AlgebraView& B, std::vector<int32_t>& map) {
  const int32_t n = A.card();
  const int32_t m = B.card();
  std::vector<int32_t> mapped;
  for (int32_t x = 0; x < n; ++x) {
    if (map[static_cast<size_t>(x)] >= 0) mapped.push_back(x);
  }
  auto require = [&](int32_t inA, int32_t inB) {
    if (inA < 0) return true;
    if (inB < 0) return false;
    int32_t& entry = map[static_cast<size_t>(inA)];
    if (entry < 0) {
      entry = inB;
      mapped.push_back(inA);
      return true;
    }
    return entry == inB;
  };
  for (size_t next = 0; next < mapped.size(); ++next) {
    const int32_t x = mapped[next];
    const int32_t fx = map[static_cast<size_t>(x)];
    for (int32_t op = 0; op < A.binaryCount(); ++op) {
      const int32_t* ta = A.binaryTable(op);
      const int32_t* tb = B.binaryTable(op);
      for (size_t i = 0; i <= next; ++i) {
        const int32_t y = mapped[i];
        const int32_t fy = map[static_cast<size_t>(y)];
        if (!require(ta[static_cast<int64_t>(x) * n + y], tb[static_cast<int64_t>(fx) * m + fy])) return false;
        if (!require(ta[static_cast<int64_t>(y) * n + x], tb[static_cast<int64_t>(fy) * m + fx])) return false;
      }
    }
    for (int32_t u = A.binaryCount(); u < A.binaryCount() + A.unaryCount(); ++u) {
      if (!require(A.unary(u, x), B.unary(u, fx))) return false;
    }
  }
  return true;
}

bool mapConstants(const AlgebraView& A, const AlgebraView& B, std::vector<int32_t>& map, bool strict) {
  for (int32_t c = 0; c < A.constantCount(); ++c) {
    const int32_t ca = A.constant(c);
    if (ca < 0) {
      if (strict) return false;
      continue;
    }
    const int32_t cb = B.constant(c);
    if (cb < 0) return false;
    int32_t& entry = map[static_cast<size_t>(ca)];
    if (entry >= 0 && entry != cb) return false;
    entry = cb;
  }
  return true;
}

namespace {

// An embedding between algebras with constants only: the constants fix
// the map on their values (equal values in A must stay equal in B, and
// different ones different), and every other element of A goes, in
// ascending order, to the next other element of B. It is the first
// embedding the search would find: that search takes the other elements
// as generators and tries B's candidates in ascending order.
EmbeddingSearch embedWithoutOperations(const AlgebraView& A, const AlgebraView& B) {
  EmbeddingSearch result;
  const int32_t n = A.card();
  const int32_t m = B.card();
  std::vector<int32_t> map(static_cast<size_t>(n), -1);
  if (!mapConstants(A, B, map, true)) return result;
  std::vector<uint8_t> usedInB(static_cast<size_t>(m), 0);
  for (int32_t c = 0; c < A.constantCount(); ++c) {
    usedInB[static_cast<size_t>(B.constant(c))] = 1;
    // Injective on the constants: two values of A never meet in B.
    for (int32_t d = 0; d < c; ++d) {
      if (B.constant(c) == B.constant(d) && A.constant(c) != A.constant(d)) {
        return result;
      }
    }
  }
  int32_t next = 0;
  for (int32_t x = 0; x < n; ++x) {
    if (map[static_cast<size_t>(x)] >= 0) continue;
    while (next < m && usedInB[static_cast<size_t>(next)]) ++next;
    if (next == m) return result;
    map[static_cast<size_t>(x)] = next++;
  }
  result.embedding = std::move(map);
  return result;
}

}  // namespace

namespace {

// The sizes of the subuniverses that one element and two elements
// generate, computed when first asked for and kept: the search asks for
// few of them (the candidates it tries), where computing all n^2 would
// take longer than the search.
class LazySizes final : public GeneratedSizeSource {
 public:
  explicit LazySizes(const AlgebraView& a) : a_(a), n_(a.card()), one_(static_cast<size_t>(n_), -1) {}

  int32_t n() const { return n_; }

  int32_t one(int32_t x) override {
    int32_t& size = one_[static_cast<size_t>(x)];
    if (size < 0) size = countMembers(single(x));
    return size;
  }

  int32_t two(int32_t x, int32_t y) override {
    if (x == y) return one(x);
    if (x > y) std::swap(x, y);
    const int64_t key = static_cast<int64_t>(x) * n_ + y;
    if (const auto it = two_.find(key); it != two_.end()) return it->second;
    int32_t size;
    // A y inside Sg(x) (or x inside Sg(y)) adds nothing; otherwise Sg(x)
    // is closed already and only what y brings needs combining.
    const std::vector<uint8_t>& sx = single(x);
    if (sx[static_cast<size_t>(y)]) {
      size = one(x);
    } else if (single(y)[static_cast<size_t>(x)]) {
      size = one(y);
    } else {
      std::vector<uint8_t> members = single(x);
      extendSubuniverse(a_, members, y);
      size = countMembers(members);
    }
    two_.emplace(key, size);
    return size;
  }

 private:
  // Sg(x) as membership flags; kept while they take less than 256 MB.
  const std::vector<uint8_t>& single(int32_t x) {
    if (const auto it = singles_.find(x); it != singles_.end()) return it->second;
    std::vector<uint8_t> members(static_cast<size_t>(n_), 0);
    members[static_cast<size_t>(x)] = 1;
    closeSubuniverse(a_, members);
    if (static_cast<int64_t>(singles_.size() + 1) * n_ > (int64_t{1} << 28)) singles_.clear();
    return singles_.emplace(x, std::move(members)).first->second;
  }

  AlgebraView a_;
  int32_t n_;
  std::vector<int32_t> one_;
  std::unordered_map<int64_t, int32_t> two_;
  std::unordered_map<int32_t, std::vector<uint8_t>> singles_;
};

// The greedy generating set of A: the first element generating the most,
// else the first pair generating the most, then greedily the element that
// adds the most, until A is generated. A size of n is the most there is,
// so the scans end at the first one that reaches it.
std::vector<int32_t> chooseGenerators(const AlgebraView& a, LazySizes& sizes, Progress& progress) {
  const int32_t n = sizes.n();
  if (n <= 1) return {0};
  int32_t g0 = 0;
  for (int32_t x = 1; x < n && sizes.one(g0) < n; ++x) {
    if (progress.stopRequested()) return {};
    if (sizes.one(x) > sizes.one(g0)) g0 = x;
  }
  if (sizes.one(g0) == n) return {g0};
  int32_t bx = 0;
  int32_t by = 1;
  for (int32_t x = 0; x < n && sizes.two(bx, by) < n; ++x) {
    if (progress.stopRequested()) return {};
    for (int32_t y = x + 1; y < n && sizes.two(bx, by) < n; ++y) {
      if (sizes.two(x, y) > sizes.two(bx, by)) bx = x, by = y;
    }
  }
  std::vector<int32_t> gens{bx, by};
  if (sizes.two(bx, by) == n) return gens;
  for (;;) {
    std::vector<uint8_t> base(static_cast<size_t>(n), 0);
    for (int32_t g : gens) base[static_cast<size_t>(g)] = 1;
    closeSubuniverse(a, base);
    if (countMembers(base) == n) return gens;
    int32_t best = -1;
    int32_t bestSize = -1;
    for (int32_t z = 0; z < n; ++z) {
      if (progress.stopRequested()) return {};
      std::vector<uint8_t> members = base;
      extendSubuniverse(a, members, z);
      const int32_t size = countMembers(members);
      if (size > bestSize) best = z, bestSize = size;
    }
    gens.push_back(best);
  }
}

}  // namespace

bool extendHomomorphism(const AlgebraView& a, const AlgebraView& b, std::vector<int32_t>& map) {
  return mapConstants(a, b, map, false) && propagate(a, b, map);
}

EmbeddingSearch findEmbedding(const AlgebraView& a, const AlgebraView& b, Progress& progress) {
  EmbeddingSearch result;
  const int32_t n = a.card();
  const int32_t m = b.card();
  if (m < n) return result;
  if (n == 0) {
    result.embedding = std::vector<int32_t>{};
    return result;
  }
  if (a.binaryCount() + a.unaryCount() == 0) return embedWithoutOperations(a, b);
  LazySizes sizesA(a);
  LazySizes sizesB(b);
  const std::vector<int32_t> gens = chooseGenerators(a, sizesA, progress);
  if (progress.stopped()) {
    result.interrupted = true;
    return result;
  }
  return searchImages(a, b, gens, sizesA, sizesB, progress);
}

}  // namespace kest
