// The plain embedding search: the sizes of all one- and two-generated
// subuniverses of both algebras computed up front, then the same search
// over the images of the greedy generators. The fast search computes only
// the sizes it looks at and must find the same first embedding.
#include "tests/oracle/reference_embedding.h"

#include <new>
#include <string>
#include <utility>

#include "core/element_names.h"
#include "structure/subuniverse.h"

namespace kest::oracle {

namespace {

int32_t countMembers(const std::vector<uint8_t>& m) {
  int32_t c = 0;
  for (uint8_t v : m) c += v;
  return c;
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

namespace {

// The precomputed sizes, as the search asks for them.
class EagerSizes final : public GeneratedSizeSource {
 public:
  explicit EagerSizes(GeneratedSizes sizes) : s_(std::move(sizes)), n_(static_cast<int32_t>(s_.one.size())) {}
  int32_t one(int32_t x) override { return s_.one[static_cast<size_t>(x)]; }
  int32_t two(int32_t x, int32_t y) override { return s_.two[static_cast<size_t>(x) * n_ + y]; }

 private:
  GeneratedSizes s_;
  int32_t n_;
};

}  // namespace

EmbeddingSearch referenceFindEmbedding(const Workspace& ws, int32_t a, int32_t b, Progress& progress) {
  EmbeddingSearch result;
  const int32_t n = ws.algebras[static_cast<size_t>(a)].card;
  const int32_t m = ws.algebras[static_cast<size_t>(b)].card;
  if (m < n) return result;
  std::optional<GeneratedSizes> sa = referenceGeneratedSizes(ws, a, progress);
  std::optional<GeneratedSizes> sb = sa ? referenceGeneratedSizes(ws, b, progress) : std::nullopt;
  if (!sb) {
    result.interrupted = true;
    return result;
  }
  if (n == 0) {
    result.embedding = std::vector<int32_t>{};
    return result;
  }
  const std::vector<int32_t> gens = referenceChooseGenerators(ws, a, *sa);
  EagerSizes eagerA(std::move(*sa));
  EagerSizes eagerB(std::move(*sb));
  return searchImages(ws, a, b, gens, eagerA, eagerB, progress);
}

}  // namespace kest::oracle
