#include "structure/bitset_closure.h"

#include <algorithm>
#include <bit>

namespace kest {

namespace {

// The byte tables may take this many words (32 MB); beyond it the members
// are combined one by one.
constexpr int64_t kMaxTableWords = int64_t{1} << 22;

void setBit(uint64_t* row, int32_t e) { row[static_cast<size_t>(e) >> 6] |= uint64_t{1} << (e & 63); }

}  // namespace

BitsetCloser::BitsetCloser(const AlgebraView& a)
    : a_(a),
      n_(a.card()),
      words_((static_cast<size_t>(a.card()) + 63) / 64),
      chunks_((static_cast<size_t>(a.card()) + 7) / 8),
      fresh_(words_) {
  const int64_t tableWords = static_cast<int64_t>(a.binaryCount()) * 2 * n_ * static_cast<int64_t>(chunks_) * 256 *
                             static_cast<int64_t>(words_);
  if (a.binaryCount() > 0 && tableWords <= kMaxTableWords) buildByteTables();
}

int64_t BitsetCloser::memberCost() const {
  const int64_t perOperation = byteImages_.empty() ? n_ : static_cast<int64_t>(chunks_ * words_);
  return 2 * a_.binaryCount() * perOperation + a_.unaryCount() + static_cast<int64_t>(words_) + 1;
}

void BitsetCloser::buildByteTables() {
  const size_t n = static_cast<size_t>(n_);
  byteImages_.assign(static_cast<size_t>(a_.binaryCount()) * 2 * n * chunks_ * 256 * words_, 0);
  uint64_t* entry = byteImages_.data();
  for (int32_t op = 0; op < a_.binaryCount(); ++op) {
    const int32_t* t = a_.binaryTable(op);
    for (int side = 0; side < 2; ++side) {
      for (size_t e = 0; e < n; ++e) {
        for (size_t c = 0; c < chunks_; ++c, entry += 256 * words_) {
          // Value v: the images of v without its lowest bit, and of that bit's member.
          for (uint32_t v = 1; v < 256; ++v) {
            uint64_t* row = entry + v * words_;
            std::copy_n(entry + (v & (v - 1)) * words_, words_, row);
            const size_t m = c * 8 + static_cast<size_t>(std::countr_zero(v));
            if (m >= n) continue;
            const int32_t image = side == 0 ? t[e * n + m] : t[m * n + e];
            if (image >= 0) setBit(row, image);
          }
        }
      }
    }
  }
}

void BitsetCloser::addImages(int32_t e, const uint64_t* row, uint64_t* fresh) const {
  const size_t n = static_cast<size_t>(n_);
  for (int32_t op = 0; op < a_.binaryCount(); ++op) {
    if (!byteImages_.empty()) {
      for (int side = 0; side < 2; ++side) {
        const uint64_t* tables =
            byteImages_.data() +
            ((static_cast<size_t>(op) * 2 + side) * n + static_cast<size_t>(e)) * chunks_ * 256 * words_;
        for (size_t c = 0; c < chunks_; ++c) {
          const size_t value = (row[c / 8] >> (8 * (c % 8))) & 255;
          if (value == 0) continue;
          const uint64_t* images = tables + (c * 256 + value) * words_;
          for (size_t w = 0; w < words_; ++w) fresh[w] |= images[w];
        }
      }
      continue;
    }
    const int32_t* t = a_.binaryTable(op);
    for (size_t w = 0; w < words_; ++w) {
      for (uint64_t bits = row[w]; bits != 0; bits &= bits - 1) {
        const size_t m = w * 64 + static_cast<size_t>(std::countr_zero(bits));
        const int32_t left = t[static_cast<size_t>(e) * n + m];
        const int32_t right = t[m * n + static_cast<size_t>(e)];
        if (left >= 0) setBit(fresh, left);
        if (right >= 0) setBit(fresh, right);
      }
    }
  }
  for (int32_t u = a_.binaryCount(); u < a_.binaryCount() + a_.unaryCount(); ++u) {
    const int32_t image = a_.unary(u, e);
    if (image >= 0) setBit(fresh, image);
  }
}

bool BitsetCloser::closePending(uint64_t* out, WorkPoll& poll) {
  int64_t count = 0;
  for (size_t w = 0; w < words_; ++w) count += std::popcount(out[w]);
  // Once every element is in, nothing more can come.
  for (size_t next = 0; next < pending_.size() && count < n_; ++next) {
    if (poll.add(memberCost())) return false;
    std::fill(fresh_.begin(), fresh_.end(), 0);
    addImages(pending_[next], out, fresh_.data());
    for (size_t w = 0; w < words_; ++w) {
      const uint64_t added = fresh_[w] & ~out[w];
      if (added == 0) continue;
      out[w] |= added;
      count += std::popcount(added);
      for (uint64_t bits = added; bits != 0; bits &= bits - 1) {
        pending_.push_back(static_cast<int32_t>(w * 64 + static_cast<size_t>(std::countr_zero(bits))));
      }
    }
  }
  return true;
}

bool BitsetCloser::join(const uint64_t* closed, const uint64_t* extra, uint64_t* out, WorkPoll& poll) {
  pending_.clear();
  for (size_t w = 0; w < words_; ++w) {
    out[w] = closed[w] | extra[w];
    for (uint64_t bits = extra[w] & ~closed[w]; bits != 0; bits &= bits - 1) {
      pending_.push_back(static_cast<int32_t>(w * 64 + static_cast<size_t>(std::countr_zero(bits))));
    }
  }
  return closePending(out, poll);
}

bool BitsetCloser::closeConstants(uint64_t* out, WorkPoll& poll) {
  std::vector<uint64_t> constants(words_, 0);
  for (int32_t c = 0; c < a_.constantCount(); ++c) {
    if (a_.constant(c) >= 0) setBit(constants.data(), a_.constant(c));
  }
  const std::vector<uint64_t> nothing(words_, 0);
  return join(nothing.data(), constants.data(), out, poll);
}

}  // namespace kest
