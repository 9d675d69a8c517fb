#include "structure/translation_composition.h"

#include <algorithm>

namespace kest {

namespace {

constexpr uint64_t kHashStart = 1469598103934665603ull;

uint64_t mix(uint64_t h, int32_t v) { return (h ^ static_cast<uint32_t>(v + 1)) * 1099511628211ull; }

}  // namespace

TranslationComposition::TranslationComposition(const Translations& t, int32_t n) : n_(n) {
  for (const int32_t* rows : t.rows) families_.push_back({rows, true});
  for (const auto& columns : t.columns) families_.push_back({columns.get(), true});
  for (const int32_t* unary : t.unary) families_.push_back({unary, false});
  const size_t f = families_.size();
  indexes_.resize(f);
  rowOf_.assign(f * f * static_cast<size_t>(n), -1);
}

const std::vector<std::pair<uint64_t, int32_t>>& TranslationComposition::index(int32_t g) {
  std::vector<std::pair<uint64_t, int32_t>>& idx = indexes_[static_cast<size_t>(g)];
  if (!idx.empty() || n_ == 0) return idx;
  // G_e(x) for all e is row x of the family's base: hash all e at once.
  std::vector<uint64_t> h(static_cast<size_t>(n_), kHashStart);
  work_ += static_cast<int64_t>(n_) * n_;
  for (int32_t x = 0; x < n_; ++x) {
    const int32_t* img = images(g, x);
    for (int32_t e = 0; e < n_; ++e) h[static_cast<size_t>(e)] = mix(h[static_cast<size_t>(e)], img[e]);
  }
  idx.reserve(static_cast<size_t>(n_));
  for (int32_t e = 0; e < n_; ++e) idx.emplace_back(h[static_cast<size_t>(e)], e);
  std::sort(idx.begin(), idx.end());
  return idx;
}

bool TranslationComposition::equalsMember(int32_t f, int32_t c, int32_t g, int32_t d, int32_t e) const {
  for (int32_t x = 0; x < n_; ++x) {
    if (apply(f, c, apply(g, d, x)) != apply(g, e, x)) return false;
  }
  return true;
}

const TranslationComposition::Row& TranslationComposition::row(int32_t f, int32_t g, int32_t d) {
  const size_t families = families_.size();
  int32_t& slot = rowOf_[(static_cast<size_t>(f) * families + static_cast<size_t>(g)) * static_cast<size_t>(n_) +
                         static_cast<size_t>(d)];
  if (slot >= 0) return rows_[static_cast<size_t>(slot)];
  const std::vector<std::pair<uint64_t, int32_t>>& idx = index(g);
  const int32_t members = binary(f) ? n_ : 1;
  // The hash of F_c after G_d for every c, built x by x like the index.
  std::vector<uint64_t> h(static_cast<size_t>(members), kHashStart);
  work_ += static_cast<int64_t>(n_) * members;
  for (int32_t x = 0; x < n_; ++x) {
    const int32_t y = apply(g, d, x);
    if (binary(f)) {
      const int32_t* img = images(f, y);
      for (int32_t c = 0; c < members; ++c) h[static_cast<size_t>(c)] = mix(h[static_cast<size_t>(c)], img[c]);
    } else {
      h[0] = mix(h[0], apply(f, 0, y));
    }
  }
  Row r;
  r.e.assign(static_cast<size_t>(members), -1);
  for (int32_t c = 0; c < members; ++c) {
    auto it = std::lower_bound(idx.begin(), idx.end(), std::make_pair(h[static_cast<size_t>(c)], int32_t{0}));
    for (; it != idx.end() && it->first == h[static_cast<size_t>(c)]; ++it) {
      if (equalsMember(f, c, g, d, it->second)) {
        r.e[static_cast<size_t>(c)] = it->second;
        break;
      }
    }
    if (r.e[static_cast<size_t>(c)] < 0) r.missing.push_back(c);
  }
  r.complete = r.missing.empty();
  slot = static_cast<int32_t>(rows_.size());
  rows_.push_back(std::move(r));
  return rows_.back();
}

}  // namespace kest
