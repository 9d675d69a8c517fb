// The numbered store of algebras: create, copy, extend, delete, hide and
// show, the completeness tests, and the layout of the rows of hidden and
// displayed algebras. Every change ends with relayout; creating, copying,
// extending and deleting clear the message lines.
#pragma once

#include <cstdint>

#include "core/workspace.h"

namespace kest {

// The most table entries one algebra may have (2 GiB of them); larger
// constructions are refused with a message instead of being attempted.
inline constexpr int64_t kMaxTableEntries = int64_t{1} << 29;

// The most elements one algebra may have, whatever its signature: every
// path that creates an algebra (panel, products, free algebras, files)
// refuses more. It leaves room for the square of a 3000-element algebra.
inline constexpr int64_t kMaxCardinality = int64_t{1} << 24;

// Whether an algebra of card n (0 <= n <= kMaxCardinality) fits the table
// bound in this signature; computed in 64 bits, so any n may be asked.
bool tableFits(const Workspace& ws, int64_t n);

// The largest n for which tableFits holds.
int64_t largestCard(const Workspace& ws);

// Appends an algebra of card n with every entry undefined except the
// diagonals of idempotent operations; marks it red and green where no mark
// is set. Returns its index, or -1 when the store is full. Throws
// std::bad_alloc (before changing anything) when the table cannot be had
// or n does not pass tableFits. Appending never moves the algebras already
// in the store, so references to them stay valid.
int32_t createAlgebra(Workspace& ws, int64_t n);

// Appends an algebra of card n with the given table (its size must be the
// signature's for n); -1 when the store is full.
int32_t appendAlgebraWithTable(Workspace& ws, int64_t n, std::vector<int32_t>&& table);

// Appends a copy of algebra k; -1 when the store is full. Needs memory for
// one more table only.
int32_t copyAlgebra(Workspace& ws, int32_t k);

// Appends a copy of k extended by one element whose row, column and unary
// values are undefined; -1 when the store is full. Throws std::bad_alloc
// when the larger card cannot be had.
int32_t extendAlgebra(Workspace& ws, int32_t k);

// Removes algebra k; later algebras move down and the marks follow them.
void deleteAlgebra(Workspace& ws, int32_t k);

// Hides a displayed algebra or shows a hidden one of at most
// maxNamedElements elements.
void toggleDisplayed(Workspace& ws, int32_t k);

// 1 when k is valid and no entry of the tested tables is undefined.
int32_t isComplete(const Workspace& ws, int32_t k);
int32_t isJoinComplete(const Workspace& ws, int32_t k);
int32_t isMeetComplete(const Workspace& ws, int32_t k);
int32_t isLatticeComplete(const Workspace& ws, int32_t k);

// Recomputes box positions and the layout values.
void relayout(Workspace& ws);

// A hash of algebra k's card and tables: what it was computed on is still
// there when both its identity and this agree.
uint64_t algebraFingerprint(const Workspace& ws, int32_t k);

// The number of the algebra of the store with the given identity, or -1.
int32_t findAlgebraById(const Workspace& ws, uint64_t id);

}  // namespace kest
