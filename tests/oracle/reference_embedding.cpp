// The plain embedding search, written out step by step and sharing no code
// with the fast one: the sizes of all one- and two-generated subuniverses
// of both algebras computed up front with the plain closure, the greedy
// generators, then a backtracking over their images in which every
// candidate builds its partial map afresh and propagates it in full passes
// until nothing changes. The fast search must find the same first
// embedding.
#include "tests/oracle/reference_embedding.h"

#include <new>
#include <utility>

#include "tests/oracle/reference_structure.h"

namespace kest::oracle {

namespace {

int32_t countMembers(const std::vector<uint8_t>& m) {
  int32_t c = 0;
  for (uint8_t v : m) c += v;
  return c;
}

int32_t generatedSize(const Workspace& ws, int32_t k, std::initializer_list<int32_t> elements) {
  std::vector<uint8_t> members(static_cast<size_t>(ws.algebra(k).card), 0);
  for (int32_t e : elements) members[static_cast<size_t>(e)] = 1;
  closeSubuniverseReference(ws, k, members);
  return countMembers(members);
}

int32_t constantOf(const Workspace& ws, int32_t k, int32_t c) {
  return ws.algebra(k).table[static_cast<size_t>(ws.layout(k).constant(c))];
}

// The partial map of the images so far, the constants' values sent to the
// constants' values, propagated in full passes; false when it is no
// well-defined injective partial homomorphism.
bool buildMap(const Workspace& ws, int32_t a, int32_t b, const std::vector<int32_t>& gens,
              const std::vector<int32_t>& image, int32_t upTo, std::vector<int32_t>& map) {
  const Algebra& A = ws.algebra(a);
  const Algebra& B = ws.algebra(b);
  const TableLayout la = ws.layout(a);
  const TableLayout lb = ws.layout(b);
  map.assign(static_cast<size_t>(A.card), -1);
  for (int32_t j = 0; j <= upTo; ++j)
    map[static_cast<size_t>(gens[static_cast<size_t>(j)])] = image[static_cast<size_t>(j)];
  for (int32_t c = 0; c < ws.sig.constantCount; ++c) {
    int32_t& entry = map[static_cast<size_t>(constantOf(ws, a, c))];
    if (entry >= 0 && entry != constantOf(ws, b, c)) return false;
    entry = constantOf(ws, b, c);
  }
  // Sets map[x] to y; false on a contradiction or an undefined value.
  auto require = [&](int32_t x, int32_t y, bool& changed) {
    if (x < 0) return true;
    if (y < 0) return false;
    int32_t& entry = map[static_cast<size_t>(x)];
    if (entry < 0) {
      entry = y;
      changed = true;
    }
    return entry == y;
  };
  for (bool changed = true; changed;) {
    changed = false;
    for (int32_t op = 0; op < ws.sig.binaryCount; ++op) {
      for (int32_t x = 0; x < A.card; ++x) {
        for (int32_t y = 0; y < A.card; ++y) {
          const int32_t fx = map[static_cast<size_t>(x)];
          const int32_t fy = map[static_cast<size_t>(y)];
          if (fx < 0 || fy < 0) continue;
          if (!require(A.table[static_cast<size_t>(la.binary(op, x, y))],
                       B.table[static_cast<size_t>(lb.binary(op, fx, fy))], changed)) {
            return false;
          }
        }
      }
    }
    for (int32_t u = ws.sig.binaryCount; u < ws.sig.binaryCount + ws.sig.unaryCount; ++u) {
      for (int32_t x = 0; x < A.card; ++x) {
        const int32_t fx = map[static_cast<size_t>(x)];
        if (fx >= 0 && !require(A.table[static_cast<size_t>(la.unary(u, x))],
                                B.table[static_cast<size_t>(lb.unary(u, fx))], changed)) {
          return false;
        }
      }
    }
  }
  std::vector<uint8_t> used(static_cast<size_t>(B.card), 0);
  for (int32_t v : map) {
    if (v < 0) continue;
    if (used[static_cast<size_t>(v)]) return false;
    used[static_cast<size_t>(v)] = 1;
  }
  return true;
}

}  // namespace

std::optional<GeneratedSizes> referenceGeneratedSizes(const Workspace& ws, int32_t k, Progress& progress) {
  const int32_t n = ws.algebra(k).card;
  // The size tables hold n^2 entries: beyond 2^29 they cannot be had.
  if (static_cast<int64_t>(n) * n > (int64_t{1} << 29)) throw std::bad_alloc();
  GeneratedSizes s;
  s.one.resize(static_cast<size_t>(n));
  s.two.assign(static_cast<size_t>(n) * n, 0);
  for (int32_t x = 0; x < n; ++x) {
    if (progress.stopRequested()) return std::nullopt;
    s.one[static_cast<size_t>(x)] = generatedSize(ws, k, {x});
    for (int32_t y = 0; y < x; ++y) {
      s.two[static_cast<size_t>(x) * n + y] = s.two[static_cast<size_t>(y) * n + x] = generatedSize(ws, k, {x, y});
    }
    s.two[static_cast<size_t>(x) * n + x] = s.one[static_cast<size_t>(x)];
  }
  return s;
}

std::vector<int32_t> referenceChooseGenerators(const Workspace& ws, int32_t a, const GeneratedSizes& sizes) {
  const int32_t n = ws.algebra(a).card;
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
    closeSubuniverseReference(ws, a, base);
    if (countMembers(base) == n) return gens;
    int32_t best = -1;
    int32_t bestSize = -1;
    for (int32_t z = 0; z < n; ++z) {
      std::vector<uint8_t> members = base;
      members[static_cast<size_t>(z)] = 1;
      closeSubuniverseReference(ws, a, members);
      const int32_t size = countMembers(members);
      if (size > bestSize) best = z, bestSize = size;
    }
    gens.push_back(best);
  }
}

EmbeddingSearch referenceFindEmbedding(const Workspace& ws, int32_t a, int32_t b, Progress& progress) {
  EmbeddingSearch result;
  const int32_t n = ws.algebra(a).card;
  const int32_t m = ws.algebra(b).card;
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
  for (int32_t c = 0; c < ws.sig.constantCount; ++c) {
    if (constantOf(ws, a, c) >= 0 && constantOf(ws, b, c) < 0) return result;
  }
  const std::vector<int32_t> gens = referenceChooseGenerators(ws, a, *sa);
  const int32_t g = static_cast<int32_t>(gens.size());
  // A candidate passes the tests on the sizes, may be a constant's value
  // in B only when its generator is that constant's value in A, and must
  // give a sound partial map.
  auto fits = [&](const std::vector<int32_t>& image, int32_t i, std::vector<int32_t>& map) {
    const int32_t gi = gens[static_cast<size_t>(i)];
    const int32_t cand = image[static_cast<size_t>(i)];
    for (int32_t j = 0; j < i; ++j) {
      if (image[static_cast<size_t>(j)] == cand) return false;
    }
    for (int32_t c = 0; c < ws.sig.constantCount; ++c) {
      if (constantOf(ws, b, c) == cand && constantOf(ws, a, c) != gi) return false;
    }
    if (sb->one[static_cast<size_t>(cand)] != sa->one[static_cast<size_t>(gi)]) return false;
    for (int32_t j = 0; j < i; ++j) {
      const int32_t gj = gens[static_cast<size_t>(j)];
      const int32_t ij = image[static_cast<size_t>(j)];
      if (sb->two[static_cast<size_t>(ij) * m + cand] != sa->two[static_cast<size_t>(gj) * n + gi]) return false;
    }
    return buildMap(ws, a, b, gens, image, i, map);
  };
  std::vector<int32_t> image(static_cast<size_t>(g), -1);
  std::vector<int32_t> map;
  int32_t i = 0;
  image[0] = 0;
  for (;;) {
    if (progress.stopRequested()) {
      result.interrupted = true;
      return result;
    }
    if (fits(image, i, map)) {
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
