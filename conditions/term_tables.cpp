#include "conditions/term_tables.h"

#include <algorithm>

namespace kest {

namespace {

constexpr int64_t kShortestRemembered = 64;
// Products of tables numbered below this are kept in rows (at most 16 MB an operation).
constexpr int32_t kDenseSide = 2048;
constexpr size_t kMostRemembered = size_t{1} << 22;

int64_t power(int64_t n, int32_t v) {
  int64_t p = 1;
  for (int32_t i = 0; i < v; ++i) p *= n;
  return p;
}

}  // namespace

TermTables::TermTables(const AlgebraView& a, int32_t variables, int64_t maxEntries, WorkPoll& poll)
    : a_(a),
      poll_(poll),
      variables_(variables),
      width_(power(a.card(), variables)),
      maxEntries_(maxEntries),
      tables_(static_cast<size_t>(width_), INT64_MAX) {
  if (width_ > maxEntries)
    full_ = true;
  else
    scratch_.resize(static_cast<size_t>(width_));
}

bool TermTables::cannotMake() {
  // A table costs a pass to make it and another to hash it.
  return full_ || poll_.add(2 * width_);
}

int32_t TermTables::add(const std::vector<int32_t>& values) {
  if (full_) return -1;
  const auto [at, added] = tables_.insert(values.data());
  // One table past the bound is kept; the next answers -1.
  if (added && static_cast<int64_t>(tables_.size()) * width_ > maxEntries_) full_ = true;
  return static_cast<int32_t>(at);
}

int32_t TermTables::projection(int32_t i) {
  if (static_cast<size_t>(i) < projections_.size() && projections_[static_cast<size_t>(i)] >= 0) {
    return projections_[static_cast<size_t>(i)];
  }
  if (cannotMake()) return -1;
  // Variable i's value at index s is digit i of s in base n, from the left.
  int64_t below = 1;
  for (int32_t j = i + 1; j < variables_; ++j) below *= a_.card();
  for (int64_t s = 0; s < width_; ++s) scratch_[static_cast<size_t>(s)] = static_cast<int32_t>((s / below) % a_.card());
  const int32_t t = add(scratch_);
  if (projections_.size() <= static_cast<size_t>(i)) projections_.resize(static_cast<size_t>(i) + 1, -1);
  projections_[static_cast<size_t>(i)] = t;
  return t;
}

int32_t TermTables::constant(int32_t c) {
  if (cannotMake()) return -1;
  for (int32_t& v : scratch_) v = a_.constant(c);
  return add(scratch_);
}

int32_t TermTables::apply(int32_t op, int32_t left, int32_t right) {
  const bool binary = op < a_.binaryCount();
  if (!binary) right = 0;
  if (full_ || left < 0 || right < 0) return -1;
  // Products of the first tables are kept in rows by left operand, read
  // at once; others of long tables in a hash map with a bound; short tables
  // are made again faster than a map finds them.
  const bool dense = left < kDenseSide && right < kDenseSide;
  std::vector<int32_t>* row = nullptr;
  if (dense) {
    if (dense_.size() <= static_cast<size_t>(op)) dense_.resize(static_cast<size_t>(op) + 1);
    std::vector<std::vector<int32_t>>& rows = dense_[static_cast<size_t>(op)];
    if (rows.size() <= static_cast<size_t>(left)) rows.resize(static_cast<size_t>(left) + 1);
    row = &rows[static_cast<size_t>(left)];
    if (static_cast<size_t>(right) < row->size() && (*row)[static_cast<size_t>(right)] >= 0)
      return (*row)[static_cast<size_t>(right)];
  }
  const bool remembered = !dense && width_ > kShortestRemembered;
  const uint64_t key =
      (static_cast<uint64_t>(op) << 56) ^ (static_cast<uint64_t>(left) << 28) ^ static_cast<uint64_t>(right);
  if (remembered) {
    if (const auto it = products_.find(key); it != products_.end()) return it->second;
  }
  if (cannotMake()) return -1;
  const int32_t* l = table(left);
  if (binary) {
    const int32_t* r = table(right);
    const int32_t* t = a_.binaryTable(op);
    const int64_t n = a_.card();
    for (int64_t s = 0; s < width_; ++s) scratch_[static_cast<size_t>(s)] = t[l[s] * n + r[s]];
  } else {
    const int32_t* u = a_.unaryTable(op);
    for (int64_t s = 0; s < width_; ++s) scratch_[static_cast<size_t>(s)] = u[l[s]];
  }
  const int32_t result = add(scratch_);
  if (result >= 0 && dense) {
    if (row->size() <= static_cast<size_t>(right))
      row->resize(std::max<size_t>(static_cast<size_t>(right) + 1, row->size() * 2), -1);
    (*row)[static_cast<size_t>(right)] = result;
  }
  if (result >= 0 && remembered) {
    if (products_.size() >= kMostRemembered) products_.clear();
    products_.emplace(key, result);
  }
  return result;
}

}  // namespace kest
