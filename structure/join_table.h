// The joins of every element found so far with every join irreducible
// taken so far, by element number, and how each element was made: from an
// earlier element y and an irreducible h, as y v h. In the turn of a new
// irreducible g, x = y v h has x v g = (y v g) v h: y v g is known from
// y's earlier place in the turn, and its join with h is in the table,
// unless y v g is itself new in this turn (then z = y v g was made as
// p v g, and z v h = (p v h) v g, known once p v h has had its place).
// At the end of a turn the new elements' joins with the earlier
// irreducibles are filled in the same way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kest {

class JoinTable {
 public:
  // The most table entries kept (128 MB); a lattice that would need more
  // goes on joining rows.
  static constexpr int64_t kMostEntries = int64_t{1} << 25;

  // elements: those present before the first turn, made by no join.
  explicit JoinTable(size_t elements, int64_t mostEntries = kMostEntries);

  // Whether a turn over this many elements (which at most doubles them)
  // keeps the table within its bound; once not, never again, and the
  // table is let go.
  bool fits(size_t elements);

  void beginTurn(uint32_t before);
  // Element i joined with this turn's irreducible, or -1 when the rows
  // must tell. Asked for i = 0, 1, ... in order, each answer given to
  // setJoin. Inline: a lattice of thousands of elements asks tens of
  // thousands of times, and most answers are two loads.
  int64_t lookup(uint32_t i) const {
    const uint32_t h = via_[i];
    if (h == kNone) return -1;
    const uint32_t z = current_[parent_[i]];
    const uint32_t* column = columns_[h].data();
    if (z < before_) return column[z];
    // z is new: z v h = (p v h) v g, known once p v h has had its place.
    const uint32_t w = column[parent_[z]];
    if (w >= i) return -1;
    return current_[w];
  }
  void setJoin(uint32_t i, uint32_t joined) { current_[i] = joined; }
  // A new element, made as element from v this turn's irreducible; its
  // joins with the earlier irreducibles are filled in at the end of the turn.
  void made(uint32_t from) {
    parent_.push_back(from);
    via_.push_back(static_cast<uint32_t>(columns_.size()));
  }
  void endTurn(uint32_t size);

 private:
  static constexpr uint32_t kNone = UINT32_MAX;

  std::vector<uint32_t> parent_;
  std::vector<uint32_t> via_;                   // the irreducible's turn, kNone for the first elements
  std::vector<std::vector<uint32_t>> columns_;  // columns_[h][x] = x v h, for the elements before the turn
  std::vector<uint32_t> current_;               // x v g in this turn
  uint32_t before_ = 0;
  int64_t mostEntries_;
  bool abandoned_ = false;
};

}  // namespace kest
