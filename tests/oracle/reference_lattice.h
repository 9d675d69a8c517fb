// Plain versions of the lattice algorithms, each a direct transcription of
// its definition, used as oracles for the fast ones; and lattices built
// from orders for the tests.
#pragma once

#include <cstdint>
#include <vector>

#include "core/workspace.h"

namespace kest::oracle {

// The semilattice laws on binary table op (complete), and the lattice
// laws on the first two, by their loops over all elements.
bool referenceIsSemilattice(const Workspace& ws, int32_t k, int32_t op);
bool referenceIsLattice(const Workspace& ws, int32_t k);

// The five properties by their defining loops over all elements.
bool referenceDistributive(const Workspace& ws, int32_t k);
bool referenceModular(const Workspace& ws, int32_t k);
bool referenceMeetSemidistributive(const Workspace& ws, int32_t k);
bool referenceJoinSemidistributive(const Workspace& ws, int32_t k);
bool referenceWhitman(const Workspace& ws, int32_t k);

// The longest-chain matrix by sweeps of the closure until nothing changes.
std::vector<int32_t> referenceChainLengthMatrix(const Workspace& ws, int32_t k, int32_t kind);

// The embedding search testing the operations only at the last position.
bool referenceLatticeEmbedding(const Workspace& ws, int32_t a, int32_t b, bool dual, std::vector<int32_t>& map);

// An order on n elements: leq[i * n + j] is 1 when i <= j.
using OrderMatrix = std::vector<uint8_t>;

// Every lattice of 1 to maxCard elements, as orders in which 0 is the
// bottom, card - 1 the top and i <= j only for i <= j (each isomorphism
// class appears at least once).
std::vector<OrderMatrix> latticeOrders(int32_t maxCard);

// Appends the lattice of an order (join first, meet second, the lattice
// signature assumed); returns its index.
int32_t addLatticeOfOrder(Workspace& ws, const OrderMatrix& leq);

// Appends the lattice given by its join table rows of element names.
int32_t addLatticeOfJoin(Workspace& ws, const std::vector<const char*>& rows);

// Join tables: the pentagon N5 (a < b < e, a < c < d < e), the diamond M3
// (three atoms b, c, d) and the square 2 x 2 (atoms b and c).
inline const std::vector<const char*> kPentagon = {"abcde", "bbeee", "cecde", "dedde", "eeeee"};
inline const std::vector<const char*> kDiamond = {"abcde", "bbeee", "cecee", "deede", "eeeee"};
inline const std::vector<const char*> kSquare = {"abcd", "bbdd", "cdcd", "dddd"};

}  // namespace kest::oracle
