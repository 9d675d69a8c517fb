// The term operations of a complete algebra A in v variables (v = 1, 2, 3),
// each known by its table: the n^v values it takes, the assignment
// (a_1, ..., a_v) at index a_1 n^(v-1) + ... + a_v. These are the elements
// of the free algebra F(v) of the variety A generates, met one at a time:
// a table is numbered when first made, and applying an operation to
// numbered tables is remembered, so a closure that meets the same product
// twice computes it once.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "core/algebra_view.h"
#include "core/progress.h"
#include "structure/row_set.h"

namespace kest {

class TermTables {
 public:
  // At most maxEntries table entries in all: past them the functions below
  // answer -1 and full() tells. Every table made counts its width on poll:
  // one of millions of entries takes a while. After a stop the functions
  // answer -1 too (poll.progress().stopped() tells).
  TermTables(const AlgebraView& a, int32_t variables, int64_t maxEntries, WorkPoll& poll);
  bool full() const { return full_; }

  int32_t variables() const { return variables_; }
  int64_t width() const { return width_; }
  size_t size() const { return tables_.size(); }
  const int32_t* table(int32_t t) const { return tables_.row(static_cast<size_t>(t)); }

  // The projection onto variable i (0-based), and the constant c.
  int32_t projection(int32_t i);
  int32_t constant(int32_t c);
  // op applied to tables (right unused for a unary op).
  int32_t apply(int32_t op, int32_t left, int32_t right);

 private:
  int32_t add(const std::vector<int32_t>& values);
  // Whether to give up before making a table: full, or stopped.
  bool cannotMake();

  AlgebraView a_;
  WorkPoll& poll_;
  int32_t variables_;
  int64_t width_;
  int64_t maxEntries_;
  bool full_ = false;
  RowSet<int32_t> tables_;
  std::unordered_map<uint64_t, int32_t> products_;
  std::vector<std::vector<std::vector<int32_t>>> dense_;  // op, left, right: the product, -1 unknown
  std::vector<int32_t> projections_;                      // by variable, -1 not made yet
  std::vector<int32_t> scratch_;
};

}  // namespace kest
