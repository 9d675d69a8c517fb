#include "structure/join_table.h"

namespace kest {

JoinTable::JoinTable(size_t elements, int64_t mostEntries)
    : parent_(elements, 0), via_(elements, kNone), mostEntries_(mostEntries) {}

bool JoinTable::fits(size_t elements) {
  if (!abandoned_ && static_cast<int64_t>(columns_.size() + 1) * 2 * static_cast<int64_t>(elements) > mostEntries_) {
    abandoned_ = true;
    parent_ = {};
    via_ = {};
    columns_ = {};
    current_ = {};
  }
  return !abandoned_;
}

void JoinTable::beginTurn(uint32_t before) {
  before_ = before;
  current_.assign(before, kNone);
}

void JoinTable::endTurn(uint32_t size) {
  for (std::vector<uint32_t>& column : columns_) {
    column.resize(size);
    for (uint32_t z = before_; z < size; ++z) column[z] = current_[column[parent_[z]]];
  }
  // The new elements lie above this turn's irreducible.
  current_.resize(size);
  for (uint32_t z = before_; z < size; ++z) current_[z] = z;
  columns_.push_back(std::move(current_));
  current_ = {};
}

}  // namespace kest
