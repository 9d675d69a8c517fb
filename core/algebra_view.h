// A read-only view of one algebra's tables, as the algorithms take them: its
// card, its tables (binary first, row by row; then unary; then constants;
// -1 undefined), and the signature's counts and flags. It is a few words
// and a pointer, cheap to copy; it stays valid while the algebra's table
// is neither resized nor freed (the store never moves an algebra).
#pragma once

#include <cstdint>

#include "core/algebra.h"
#include "core/signature.h"

namespace kest {

class AlgebraView {
 public:
  AlgebraView(const Algebra& a, const Signature& sig) : AlgebraView(a.card, a.table.data(), sig) {}
  AlgebraView(int32_t n, const int32_t* table, const Signature& sig) : n_(n), table_(table), sig_(&sig) {}

  int32_t card() const { return n_; }
  const Signature& signature() const { return *sig_; }
  int32_t binaryCount() const { return sig_->binaryCount; }
  int32_t unaryCount() const { return sig_->unaryCount; }
  int32_t constantCount() const { return sig_->constantCount; }
  bool commutative(int32_t op) const { return sig_->opCommutative[static_cast<size_t>(op)] != 0; }
  bool idempotent(int32_t op) const { return sig_->opIdempotent[static_cast<size_t>(op)] != 0; }
  TableLayout layout() const { return {n_, sig_->binaryCount, sig_->unaryCount, sig_->constantCount}; }
  int64_t tableSize() const { return layout().size(); }
  const int32_t* table() const { return table_; }

  // The n*n table of binary operation op, row x at x*n; x op y.
  const int32_t* binaryTable(int32_t op) const { return table_ + layout().binary(op, 0, 0); }
  int32_t binary(int32_t op, int32_t x, int32_t y) const { return table_[layout().binary(op, x, y)]; }
  // The n entries of unary operation op (numbered after the binary ones).
  const int32_t* unaryTable(int32_t op) const { return table_ + layout().unary(op, 0); }
  int32_t unary(int32_t op, int32_t x) const { return table_[layout().unary(op, x)]; }
  // Constant c (0 for the first constant).
  int32_t constant(int32_t c) const { return table_[layout().constant(c)]; }

  // Whether no entry is undefined.
  bool complete() const {
    const int64_t size = tableSize();
    for (int64_t i = 0; i < size; ++i) {
      if (table_[i] < 0) return false;
    }
    return true;
  }

 private:
  int32_t n_;
  const int32_t* table_;
  const Signature* sig_;
};

}  // namespace kest
