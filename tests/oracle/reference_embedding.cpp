// The plain embedding search: the sizes of all one- and two-generated
// subuniverses of both algebras computed up front, then the same search
// over the images of the greedy generators. The fast search computes only
// the sizes it looks at and must find the same first embedding.
#include "tests/oracle/reference_embedding.h"

#include <new>
#include <string>

#include "core/element_names.h"
#include "structure/subuniverse.h"

namespace kest::oracle {

namespace {

int32_t countMembers(const std::vector<uint8_t>& m) {
  int32_t c = 0;
  for (uint8_t v : m) c += v;
  return c;
}

// The map is built from the constants and propagated over a worklist: every
// newly mapped x is combined with every mapped y in both orders. The
// outcome (the forced map, or a conflict) does not depend on the order.
bool propagate(const Workspace& ws, int32_t a, int32_t b, std::vector<int32_t>& map) {
  const Algebra& A = ws.algebras[static_cast<size_t>(a)];
  const Algebra& B = ws.algebras[static_cast<size_t>(b)];
  const int32_t n = A.card;
  const int32_t m = B.card;
  const TableLayout la = ws.layout(a);
  const TableLayout lb = ws.layout(b);
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
    for (int32_t op = 0; op < ws.sig.binaryCount; ++op) {
      const int32_t* ta = A.table.data() + la.binary(op, 0, 0);
      const int32_t* tb = B.table.data() + lb.binary(op, 0, 0);
      for (size_t i = 0; i <= next; ++i) {
        const int32_t y = mapped[i];
        const int32_t fy = map[static_cast<size_t>(y)];
        if (!require(ta[static_cast<int64_t>(x) * n + y], tb[static_cast<int64_t>(fx) * m + fy])) return false;
        if (!require(ta[static_cast<int64_t>(y) * n + x], tb[static_cast<int64_t>(fy) * m + fx])) return false;
      }
    }
    for (int32_t u = ws.sig.binaryCount; u < ws.sig.binaryCount + ws.sig.unaryCount; ++u) {
      if (!require(A.table[static_cast<size_t>(la.unary(u, x))], B.table[static_cast<size_t>(lb.unary(u, fx))])) {
        return false;
      }
    }
  }
  return true;
}

int32_t constantValue(const Workspace& ws, int32_t k, int32_t c) {
  return ws.algebras[static_cast<size_t>(k)].table[static_cast<size_t>(ws.layout(k).constant(c))];
}

}  // namespace

std::optional<GeneratedSizes> referenceGeneratedSizes(const Workspace& ws, int32_t k, Progress& progress) {
  const int32_t n = ws.algebras[static_cast<size_t>(k)].card;
  // The size tables hold n^2 entries (and the one-generated subuniverses n^2
  // bytes): beyond 2^29 they cannot be had, which is said at once.
  if (static_cast<int64_t>(n) * n > (int64_t{1} << 29)) throw std::bad_alloc();
  GeneratedSizes s;
  s.one.resize(static_cast<size_t>(n));
  s.two.assign(static_cast<size_t>(n) * n, 0);
  std::vector<std::vector<uint8_t>> single(static_cast<size_t>(n));
  for (int32_t x = 0; x < n; ++x) {
    if (progress.stopRequested()) return std::nullopt;
    single[static_cast<size_t>(x)].assign(static_cast<size_t>(n), 0);
    single[static_cast<size_t>(x)][static_cast<size_t>(x)] = 1;
    closeSubuniverse(ws, k, single[static_cast<size_t>(x)]);
    s.one[static_cast<size_t>(x)] = countMembers(single[static_cast<size_t>(x)]);
  }
  for (int32_t x = 0; x < n; ++x) {
    if (progress.stopRequested()) return std::nullopt;
    const std::vector<uint8_t>& sx = single[static_cast<size_t>(x)];
    for (int32_t y = x + 1; y < n; ++y) {
      int32_t size;
      // A y inside Sg(x) (or x inside Sg(y)) adds nothing; otherwise Sg(x)
      // is closed already and only what y brings needs combining.
      if (sx[static_cast<size_t>(y)]) {
        size = s.one[static_cast<size_t>(x)];
      } else if (single[static_cast<size_t>(y)][static_cast<size_t>(x)]) {
        size = s.one[static_cast<size_t>(y)];
      } else {
        if (progress.stopRequested()) return std::nullopt;
        std::vector<uint8_t> members = sx;
        extendSubuniverse(ws, k, members, y);
        size = countMembers(members);
      }
      s.two[static_cast<size_t>(x) * n + y] = s.two[static_cast<size_t>(y) * n + x] = size;
    }
    s.two[static_cast<size_t>(x) * n + x] = s.one[static_cast<size_t>(x)];
  }
  return s;
}

std::vector<int32_t> referenceChooseGenerators(const Workspace& ws, int32_t a, const GeneratedSizes& sizes) {
  const int32_t n = ws.algebras[static_cast<size_t>(a)].card;
  if (n <= 1) return {0};
  int32_t g0 = 0;
  for (int32_t x = 1; x < n; ++x) {
    if (sizes.one[static_cast<size_t>(x)] > sizes.one[static_cast<size_t>(g0)]) g0 = x;
  }
  if (sizes.one[static_cast<size_t>(g0)] == n) return {g0};
  int32_t bx = 0;
  int32_t by = 1;
  for (int32_t x = 0; x < n; ++x) {
    for (int32_t y = x + 1; y < n; ++y) {
      if (sizes.two[static_cast<size_t>(x) * n + y] > sizes.two[static_cast<size_t>(bx) * n + by]) bx = x, by = y;
    }
  }
  std::vector<int32_t> gens{bx, by};
  if (sizes.two[static_cast<size_t>(bx) * n + by] == n) return gens;
  for (;;) {
    std::vector<uint8_t> base(static_cast<size_t>(n), 0);
    for (int32_t g : gens) base[static_cast<size_t>(g)] = 1;
    closeSubuniverse(ws, a, base);
    if (countMembers(base) == n) return gens;
    int32_t best = -1;
    int32_t bestSize = -1;
    for (int32_t z = 0; z < n; ++z) {
      std::vector<uint8_t> members = base;
      extendSubuniverse(ws, a, members, z);
      const int32_t size = countMembers(members);
      if (size > bestSize) best = z, bestSize = size;
    }
    gens.push_back(best);
  }
}

EmbeddingSearch referenceFindEmbedding(const Workspace& ws, int32_t a, int32_t b, Progress& progress) {
  EmbeddingSearch result;
  const int32_t n = ws.algebras[static_cast<size_t>(a)].card;
  const int32_t m = ws.algebras[static_cast<size_t>(b)].card;
  if (m < n) return result;
  const std::optional<GeneratedSizes> sa = referenceGeneratedSizes(ws, a, progress);
  const std::optional<GeneratedSizes> sb = sa ? referenceGeneratedSizes(ws, b, progress) : std::nullopt;
  if (!sb) {
    result.interrupted = true;
    return result;
  }
  if (n == 0) {
    result.embedding = std::vector<int32_t>{};
    return result;
  }
  const std::vector<int32_t> gens = referenceChooseGenerators(ws, a, *sa);
  const int32_t g = static_cast<int32_t>(gens.size());
  for (int32_t c = 0; c < ws.sig.constantCount; ++c) {
    if (constantValue(ws, a, c) >= 0 && constantValue(ws, b, c) < 0) return result;
  }
  // A candidate may be a constant's value in B only for a generator that
  // is that constant's value in A: an embedding is injective.
  auto constantClash = [&](int32_t gi, int32_t candidate) {
    for (int32_t c = 0; c < ws.sig.constantCount; ++c) {
      if (constantValue(ws, b, c) == candidate && constantValue(ws, a, c) != gi) return true;
    }
    return false;
  };
  std::vector<int32_t> image(static_cast<size_t>(g), -1);
  std::vector<int32_t> map;
  auto fits = [&](int32_t i) {
    const int32_t gi = gens[static_cast<size_t>(i)];
    const int32_t cand = image[static_cast<size_t>(i)];
    for (int32_t j = 0; j < i; ++j) {
      if (image[static_cast<size_t>(j)] == cand) return false;
    }
    if (constantClash(gi, cand)) return false;
    if (sb->one[static_cast<size_t>(cand)] != sa->one[static_cast<size_t>(gi)]) return false;
    for (int32_t j = 0; j < i; ++j) {
      if (sb->two[static_cast<size_t>(image[static_cast<size_t>(j)]) * m + cand] !=
          sa->two[static_cast<size_t>(gens[static_cast<size_t>(j)]) * n + gi]) {
        return false;
      }
    }
    map.assign(static_cast<size_t>(n), -1);
    for (int32_t j = 0; j <= i; ++j) map[static_cast<size_t>(gens[static_cast<size_t>(j)])] = image[static_cast<size_t>(j)];
    for (int32_t c = 0; c < ws.sig.constantCount; ++c) {
      const int32_t ca = constantValue(ws, a, c);
      if (ca >= 0) map[static_cast<size_t>(ca)] = constantValue(ws, b, c);
    }
    if (!propagate(ws, a, b, map)) return false;
    std::vector<uint8_t> used(static_cast<size_t>(m), 0);
    for (int32_t v : map) {
      if (v < 0) continue;
      if (used[static_cast<size_t>(v)]) return false;
      used[static_cast<size_t>(v)] = 1;
    }
    return true;
  };
  int32_t i = 0;
  image[0] = 0;
  // A try that reaches the propagation costs up to n^2 steps: every try polls.
  for (;;) {
    if (progress.stopRequested()) {
      result.interrupted = true;
      return result;
    }
    if (fits(i)) {
      if (i == g - 1) {
        result.embedding = map;
        return result;
      }
      image[static_cast<size_t>(++i)] = 0;
      continue;
    }
    while (image[static_cast<size_t>(i)] == m - 1) {
      image[static_cast<size_t>(i)] = -1;
      if (--i < 0) return result;
    }
    ++image[static_cast<size_t>(i)];
  }
}

}  // namespace kest::oracle
