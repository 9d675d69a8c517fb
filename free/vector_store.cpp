#include "free/vector_store.h"

#include <algorithm>
#include <cstring>

namespace kest {

namespace {

constexpr int64_t kMaxDense = int64_t{1} << 24;

}  // namespace

VectorStore::VectorStore(int64_t length, int32_t m)
    : words_(m == 2 ? (length + 63) / 64 : (length + 7) / 8), length_(length), m_(m), bits_(m == 2) {
  int64_t power = 1;
  for (int64_t i = 0; i < length && power <= kMaxDense; ++i) power *= std::max(m, 1);
  if (words_ > 0 && power <= kMaxDense) {
    dense_.assign(static_cast<size_t>(power), -1);
  } else {
    slots_.assign(1024, -1);
  }
}

uint64_t VectorStore::code(const uint64_t* v) const {
  if (bits_) return v[0];
  const auto* b = reinterpret_cast<const uint8_t*>(v);
  uint64_t c = 0;
  for (int64_t i = length_ - 1; i >= 0; --i) c = c * static_cast<uint64_t>(m_) + b[i];
  return c;
}

uint64_t VectorStore::hash(const uint64_t* v) const {
  uint64_t h = 0x9e3779b97f4a7c15ull;
  for (int64_t i = 0; i < words_; ++i) {
    h ^= v[i] + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2);
    h *= 0xff51afd7ed558ccdull;
  }
  return h ^ (h >> 29);
}

int32_t VectorStore::find(const uint64_t* v) const {
  if (!dense_.empty()) return dense_[static_cast<size_t>(code(v))];
  const size_t mask = slots_.size() - 1;
  if (words_ == 1) {  // vectors of up to 64 bits or 8 bytes: one compare each
    for (size_t s = hash(v) & mask;; s = (s + 1) & mask) {
      const int32_t i = slots_[s];
      if (i < 0 || data_[static_cast<size_t>(i)] == v[0]) return i;
    }
  }
  for (size_t s = hash(v) & mask;; s = (s + 1) & mask) {
    const int32_t i = slots_[s];
    if (i < 0) return -1;
    // Vectors of no words (an empty algebra) are all equal.
    if (words_ == 0 || std::memcmp(vector(i), v, static_cast<size_t>(words_) * 8) == 0) return i;
  }
}

void VectorStore::grow() {
  std::vector<int32_t> old(slots_.size() * 2, -1);
  old.swap(slots_);
  const size_t mask = slots_.size() - 1;
  for (int32_t i = 0; i < count_; ++i) {
    size_t s = hash(vector(i)) & mask;
    while (slots_[s] >= 0) s = (s + 1) & mask;
    slots_[s] = i;
  }
}

int32_t VectorStore::append(const uint64_t* v) {
  if (!dense_.empty()) {
    data_.insert(data_.end(), v, v + words_);
    dense_[static_cast<size_t>(code(v))] = count_;
    return count_++;
  }
  if (static_cast<size_t>(count_ + 1) * 2 > slots_.size()) grow();
  data_.insert(data_.end(), v, v + words_);
  const size_t mask = slots_.size() - 1;
  size_t s = hash(v) & mask;
  while (slots_[s] >= 0) s = (s + 1) & mask;
  slots_[s] = count_;
  return count_++;
}

}  // namespace kest
