// The backtracking search over the images of A's generators in B. Its
// order is fixed: generators in turn, each trying B's elements in
// ascending order, so the embedding it finds first is always the same.
//
// What it prunes never loses an embedding. A candidate must match its
// generator in the sizes that it and the earlier generators generate, and
// the map the operations force from the images so far must be one-to-one.
// Where it is cheap, every later generator also keeps the candidates still
// open to it: the map sends x op y to f(x) op f(y) and is one-to-one, so
// for a later z and every mapped y, c op f(y) must be f(z op y) when z op y
// is mapped, c when z op y is z, and no image yet otherwise (both orders,
// every operation). When a later generator has no candidate left, or the
// later generators together have fewer candidates than they are, the
// branch ends. On a chain into a renumbered chain this is the difference
// between trying every rising sequence and walking straight to the answer.
#include <algorithm>

#include "structure/embedding.h"
#include "structure/embedding_steps.h"

namespace kest {

namespace {

// Open candidates are kept for at most this many generator-candidate pairs.
constexpr int64_t kMostOpenPairs = int64_t{1} << 14;

class ImageSearch {
 public:
  ImageSearch(const AlgebraView& a, const AlgebraView& b, const std::vector<int32_t>& gens, GeneratedSizeSource& sa,
              GeneratedSizeSource& sb, Progress& progress)
      : a_(a), b_(b), gens_(gens), sa_(sa), sb_(sb), progress_(progress), n_(a.card()), m_(b.card()) {}

  EmbeddingSearch run();

 private:
  using Domains = std::vector<std::vector<int32_t>>;  // per later generator

  struct Level {
    std::vector<int32_t> map;  // before this level's generator is placed
    Domains open;              // candidates of this and the later generators (when narrowing)
    size_t next = 0;           // the next candidate of this level's to try
  };

  bool constantClash(int32_t gi, int32_t candidate) const;
  // The map with generator i sent to cand, or nothing when it cannot be.
  bool place(int32_t i, int32_t cand, std::vector<int32_t>& map);
  bool fitsElement(int32_t z, int32_t c, const std::vector<int32_t>& map, const std::vector<uint8_t>& used,
                   const std::vector<int32_t>& fresh) const;
  // The later generators' candidates under map (newly mapped: fresh).
  bool narrow(int32_t i, const std::vector<int32_t>& map, const std::vector<int32_t>& fresh, const Domains& open,
              Domains& out) const;
  Domains firstDomains(const std::vector<int32_t>& map) const;

  const AlgebraView& a_;
  const AlgebraView& b_;
  const std::vector<int32_t>& gens_;
  GeneratedSizeSource& sa_;
  GeneratedSizeSource& sb_;
  Progress& progress_;
  int32_t n_;
  int32_t m_;
  std::vector<int32_t> image_;
};

bool ImageSearch::constantClash(int32_t gi, int32_t candidate) const {
  // A candidate may be a constant's value in B only for a generator that
  // is that constant's value in A: an embedding is injective.
  for (int32_t c = 0; c < a_.constantCount(); ++c) {
    if (b_.constant(c) == candidate && a_.constant(c) != gi) return true;
  }
  return false;
}

bool ImageSearch::place(int32_t i, int32_t cand, std::vector<int32_t>& map) {
  const int32_t gi = gens_[static_cast<size_t>(i)];
  for (int32_t j = 0; j < i; ++j) {
    if (image_[static_cast<size_t>(j)] == cand) return false;
  }
  if (constantClash(gi, cand)) return false;
  if (sb_.one(cand) != sa_.one(gi)) return false;
  for (int32_t j = 0; j < i; ++j) {
    if (sb_.two(image_[static_cast<size_t>(j)], cand) != sa_.two(gens_[static_cast<size_t>(j)], gi)) return false;
  }
  map.assign(static_cast<size_t>(n_), -1);
  for (int32_t j = 0; j < i; ++j)
    map[static_cast<size_t>(gens_[static_cast<size_t>(j)])] = image_[static_cast<size_t>(j)];
  map[static_cast<size_t>(gi)] = cand;
  // A constant's value must go to the constant's value in B: a generator
  // sent elsewhere, or two constants equal in A and not in B, rule the
  // candidate out (it would be no homomorphism).
  if (!mapConstants(a_, b_, map, true)) return false;
  if (!propagate(a_, b_, map)) return false;
  std::vector<uint8_t> used(static_cast<size_t>(m_), 0);
  for (int32_t v : map) {
    if (v < 0) continue;
    if (used[static_cast<size_t>(v)]) return false;
    used[static_cast<size_t>(v)] = 1;
  }
  return true;
}

bool ImageSearch::fitsElement(int32_t z, int32_t c, const std::vector<int32_t>& map, const std::vector<uint8_t>& used,
                              const std::vector<int32_t>& fresh) const {
  const int32_t mapped = map[static_cast<size_t>(z)];
  if (mapped >= 0) return c == mapped;
  if (used[static_cast<size_t>(c)]) return false;
  // What x op y forces in B when x (or y) is z: c's value there.
  auto forced = [&](int32_t inA, int32_t inB) {
    if (inA == z) return inB == c;
    const int32_t f = map[static_cast<size_t>(inA)];
    if (f >= 0) return inB == f;
    return inB != c && !used[static_cast<size_t>(inB)];
  };
  for (int32_t y : fresh) {
    const int32_t fy = map[static_cast<size_t>(y)];
    for (int32_t op = 0; op < a_.binaryCount(); ++op) {
      if (!forced(a_.binary(op, z, y), b_.binary(op, c, fy))) return false;
      if (!forced(a_.binary(op, y, z), b_.binary(op, fy, c))) return false;
    }
  }
  return true;
}

bool ImageSearch::narrow(int32_t i, const std::vector<int32_t>& map, const std::vector<int32_t>& fresh,
                         const Domains& open, Domains& out) const {
  std::vector<uint8_t> used(static_cast<size_t>(m_), 0);
  for (int32_t v : map) {
    if (v >= 0) used[static_cast<size_t>(v)] = 1;
  }
  out.assign(open.size() - 1, {});
  std::vector<uint8_t> anyOpen(static_cast<size_t>(m_), 0);
  int32_t unplaced = 0;
  int32_t reachable = 0;
  for (size_t k = 1; k < open.size(); ++k) {
    const int32_t z = gens_[static_cast<size_t>(i) + k];
    for (int32_t c : open[k]) {
      if (fitsElement(z, c, map, used, fresh)) out[k - 1].push_back(c);
    }
    if (out[k - 1].empty()) return false;
    if (map[static_cast<size_t>(z)] >= 0) continue;
    ++unplaced;
    for (int32_t c : out[k - 1]) {
      reachable += !anyOpen[static_cast<size_t>(c)];
      anyOpen[static_cast<size_t>(c)] = 1;
    }
  }
  // Distinct generators go to distinct elements.
  return reachable >= unplaced;
}

ImageSearch::Domains ImageSearch::firstDomains(const std::vector<int32_t>& map) const {
  Domains open(gens_.size());
  std::vector<int32_t> all(static_cast<size_t>(m_));
  for (int32_t c = 0; c < m_; ++c) all[static_cast<size_t>(c)] = c;
  for (auto& d : open) d = all;
  // Elements forced by the constants alone count as mapped from the start.
  std::vector<int32_t> fresh;
  std::vector<uint8_t> used(static_cast<size_t>(m_), 0);
  for (int32_t x = 0; x < n_; ++x) {
    if (map[static_cast<size_t>(x)] < 0) continue;
    fresh.push_back(x);
    used[static_cast<size_t>(map[static_cast<size_t>(x)])] = 1;
  }
  for (size_t k = 0; k < gens_.size(); ++k) {
    std::vector<int32_t> kept;
    for (int32_t c : open[k]) {
      if (fitsElement(gens_[k], c, map, used, fresh)) kept.push_back(c);
    }
    open[k] = std::move(kept);
  }
  return open;
}

EmbeddingSearch ImageSearch::run() {
  EmbeddingSearch result;
  const int32_t g = static_cast<int32_t>(gens_.size());
  for (int32_t c = 0; c < a_.constantCount(); ++c) {
    if (a_.constant(c) >= 0 && b_.constant(c) < 0) return result;
  }
  std::vector<int32_t> start(static_cast<size_t>(n_), -1);
  if (!mapConstants(a_, b_, start, true) || !propagate(a_, b_, start)) return result;
  const bool narrowing = static_cast<int64_t>(g) * m_ <= kMostOpenPairs;
  image_.assign(static_cast<size_t>(g), -1);
  std::vector<Level> levels;
  levels.push_back({start, narrowing ? firstDomains(start) : Domains{}, 0});
  std::vector<int32_t> map;
  std::vector<int32_t> fresh;
  while (!levels.empty()) {
    // A try that reaches the propagation costs up to n^2 steps: every try polls.
    if (progress_.stopRequested()) {
      result.interrupted = true;
      return result;
    }
    Level& level = levels.back();
    const int32_t i = static_cast<int32_t>(levels.size()) - 1;
    const size_t candidates = narrowing ? level.open[0].size() : static_cast<size_t>(m_);
    if (level.next >= candidates) {
      levels.pop_back();
      continue;
    }
    const int32_t cand = narrowing ? level.open[0][level.next] : static_cast<int32_t>(level.next);
    ++level.next;
    image_[static_cast<size_t>(i)] = cand;
    if (!place(i, cand, map)) continue;
    if (i == g - 1) {
      result.embedding = map;
      return result;
    }
    Domains open;
    if (narrowing) {
      fresh.clear();
      for (int32_t x = 0; x < n_; ++x) {
        if (map[static_cast<size_t>(x)] >= 0 && level.map[static_cast<size_t>(x)] < 0) fresh.push_back(x);
      }
      if (!narrow(i, map, fresh, level.open, open)) continue;
    }
    levels.push_back({map, std::move(open), 0});
  }
  return result;
}

}  // namespace

EmbeddingSearch searchImages(const AlgebraView& a, const AlgebraView& b, const std::vector<int32_t>& gens,
                             GeneratedSizeSource& sa, GeneratedSizeSource& sb, Progress& progress) {
  return ImageSearch(a, b, gens, sa, sb, progress).run();
}

}  // namespace kest
