// The order of a semilattice or lattice table, read from one binary table:
// as a join (i <= j when i o j = j) or as a meet (i <= j when i o j = i).
// The lattice tests, the drawings and the embedding search all read their
// order this way; the up-sets and down-sets are kept as bit rows so that
// the tests over pairs of sets run a word at a time.
#pragma once

#include <cstdint>
#include <vector>

#include "core/algebra_view.h"
#include "core/progress.h"

namespace kest {

// Which table gives the order: 0 the first binary table as a join, 1 the
// first as a meet, 2 the second as a meet.
enum OrderKind : int32_t { kJoinFirst = 0, kMeetFirst = 1, kMeetSecond = 2 };

struct TableOrder {
  const int32_t* table = nullptr;  // n*n entries
  int32_t n = 0;
  bool join = true;

  bool leq(int32_t i, int32_t j) const {
    const int32_t v = table[static_cast<size_t>(i) * static_cast<size_t>(n) + static_cast<size_t>(j)];
    return join ? v == j : v == i;
  }
  bool less(int32_t i, int32_t j) const { return i != j && leq(i, j); }
};

// The order of algebra a of the given kind (the table must exist).
TableOrder tableOrder(const AlgebraView& a, int32_t kind);

// A square matrix of bits, one row of words per element.
class BitRows {
 public:
  BitRows() = default;
  explicit BitRows(int32_t n);

  int32_t size() const { return n_; }
  int32_t words() const { return words_; }
  uint64_t* row(int32_t i) { return bits_.data() + static_cast<size_t>(i) * static_cast<size_t>(words_); }
  const uint64_t* row(int32_t i) const { return bits_.data() + static_cast<size_t>(i) * static_cast<size_t>(words_); }
  bool test(int32_t i, int32_t j) const { return (row(i)[j >> 6] >> (j & 63)) & 1u; }
  void set(int32_t i, int32_t j) { row(i)[j >> 6] |= uint64_t{1} << (j & 63); }

 private:
  int32_t n_ = 0;
  int32_t words_ = 0;
  std::vector<uint64_t> bits_;
};

// up.test(i, j): i <= j; down.test(j, i): i <= j.
struct OrderSets {
  BitRows up;
  BitRows down;
};

OrderSets orderSets(const TableOrder& order);

// For every element the elements it covers (its lower covers), increasing;
// unfinished when progress asks to stop.
std::vector<std::vector<int32_t>> lowerCovers(const OrderSets& sets, Progress& progress = noProgress());

// A listing of the elements in which everything below an element comes
// before it (by the size of the down-set, then by index).
std::vector<int32_t> linearExtension(const OrderSets& sets);

}  // namespace kest
