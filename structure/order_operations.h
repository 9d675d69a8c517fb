// Binary operations built from compact typed data: a linear expression,
// lines, an oriented graph, an order, and the meet or join of an order.
// Each fills one binary table of algebra k; the builders from an order
// refuse a text that names an element beyond the algebra before touching
// anything.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/workspace.h"

namespace kest {

// The relation stated by a text: reflexive, plus (u, v) for every two
// consecutive characters that both name elements. Empty when a character
// names an element at or beyond n. rel[u * n + v] is 1 when (u, v) holds.
std::optional<std::vector<uint8_t>> readRelationText(std::string_view text, int32_t n, int32_t maxNamedElements);

// Closes a relation on n elements transitively.
void closeTransitively(std::vector<uint8_t>& rel, int32_t n);

// x op y = (c + a x + b y) mod n; a, b, c already in 0..n-1. The diagonal
// of an idempotent op is then x, and a commutative op takes the values
// from below the diagonal.
void linearOperation(Workspace& ws, int32_t k, int32_t op, int32_t a, int32_t b, int32_t c);

// Every word of two or more element names is a line: for p < q with
// different points, wp op wq is the line's last point and wq op wp its
// first. Entries no line sets become the column element; the diagonal is
// x. A commutative op then takes the values above the diagonal. Returns
// false (nothing changed) when the text names an element beyond k.
bool linesOperation(Workspace& ws, int32_t k, int32_t op, std::string_view text);

// x op y = x when (x, y) is in the typed relation, else y: as typed for
// the graph operation, closed transitively for the order operation.
bool graphOperation(Workspace& ws, int32_t k, int32_t op, std::string_view text);
bool orderOperation(Workspace& ws, int32_t k, int32_t op, std::string_view text);

// The meet (into the table of ".") or the join (into the first binary
// table) of the order the text states. False, with the table unchanged,
// when the text names an element beyond k, states a cycle, or two elements
// lack a greatest lower (least upper) bound.
bool meetFromOrder(Workspace& ws, int32_t k, std::string_view text);
bool joinFromOrder(Workspace& ws, int32_t k, std::string_view text);

}  // namespace kest
