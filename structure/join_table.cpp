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

int64_t JoinTable::lookup(uint32_t i) {
  const uint32_t h = via_[i];
  if (h == kNone) return -1;
  const uint32_t z = current_[parent_[i]];
  std::vector<uint32_t>& column = columns_[h];
  if (column[z] != kNone) return column[z];
  // z is new: z v h = (p v h) v g, known when p v h comes before i.
  const uint32_t w = column[parent_[z]];
  if (w >= i) return -1;
  column[z] = current_[w];
  return column[z];
}

void JoinTable::made(uint32_t from) {
  parent_.push_back(from);
  via_.push_back(static_cast<uint32_t>(columns_.size()));
  for (std::vector<uint32_t>& column : columns_) column.push_back(kNone);
}

void JoinTable::endTurn(uint32_t size) {
  for (std::vector<uint32_t>& column : columns_) {
    for (uint32_t z = before_; z < size; ++z) {
      if (column[z] == kNone) column[z] = current_[column[parent_[z]]];
    }
  }
  // The new elements lie above this turn's irreducible.
  current_.resize(size);
  for (uint32_t z = before_; z < size; ++z) current_[z] = z;
  columns_.push_back(std::move(current_));
  current_ = {};
}

}  // namespace kest
