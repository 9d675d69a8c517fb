// Operations built from typed data: the examples users are shown, and
// refusals that must leave the table as it was.
#include "structure/order_operations.h"

#include <gtest/gtest.h>

#include "core/algebra_store.h"
#include "structure/lattice_recognition.h"
#include "tests/oracle/random_inputs.h"

namespace kest {
namespace {

using oracle::workspaceWithSignature;

// Table op of k as rows of names.
std::vector<std::string> rows(const Workspace& ws, int32_t k, int32_t op) {
  const Algebra& a = ws.algebra(k);
  std::vector<std::string> out;
  for (int32_t x = 0; x < a.card; ++x) {
    std::string row;
    for (int32_t y = 0; y < a.card; ++y) {
      const int32_t v = a.table[op * a.card * a.card + x * a.card + y];
      row += v < 0 ? '.' : static_cast<char>('a' + v);
    }
    out.push_back(row);
  }
  return out;
}

using Rows = std::vector<std::string>;

TEST(OrderOperations, GraphTriangleAndOrderClosure) {
  Workspace ws = workspaceWithSignature("+");
  const int32_t k = createAlgebra(ws, 3);
  ASSERT_TRUE(graphOperation(ws, k, 0, "abca"));
  EXPECT_EQ(rows(ws, k, 0), (Rows{"aac", "abb", "cbc"}));
  // The chain a <= b <= c as an order: closed, so a.c = a.
  ASSERT_TRUE(orderOperation(ws, k, 0, "abc"));
  EXPECT_EQ(rows(ws, k, 0), (Rows{"aaa", "abb", "abc"}));
  // Without the closure a.c is c.
  ASSERT_TRUE(graphOperation(ws, k, 0, "abc"));
  EXPECT_EQ(rows(ws, k, 0)[0], "aac");
  // A name beyond the algebra: nothing changes.
  EXPECT_FALSE(orderOperation(ws, k, 0, "ad"));
  EXPECT_EQ(rows(ws, k, 0)[0], "aac");
}

TEST(OrderOperations, LinesOperation) {
  Workspace ws = workspaceWithSignature(".");
  const int32_t k = createAlgebra(ws, 3);
  ASSERT_TRUE(linesOperation(ws, k, 0, "acb"));
  // a.c = b, c.a = a, a.b = b, b.a = a, c.b = b, b.c = a.
  EXPECT_EQ(rows(ws, k, 0), (Rows{"abb", "aba", "abc"}));
  EXPECT_FALSE(linesOperation(ws, k, 0, "abd"));
  EXPECT_EQ(rows(ws, k, 0), (Rows{"abb", "aba", "abc"}));
  // Single names are no lines; untouched entries become the column.
  ASSERT_TRUE(linesOperation(ws, k, 0, "a b,c"));
  EXPECT_EQ(rows(ws, k, 0), (Rows{"abc", "abc", "abc"}));

  Workspace comm = workspaceWithSignature(".c");
  const int32_t c = createAlgebra(comm, 3);
  ASSERT_TRUE(linesOperation(comm, c, 0, "acb"));
  EXPECT_EQ(rows(comm, c, 0), (Rows{"abb", "bba", "bac"}));  // below takes above
}

TEST(OrderOperations, LinearOperation) {
  Workspace ws = workspaceWithSignature("+");
  const int32_t k = createAlgebra(ws, 5);
  linearOperation(ws, k, 0, 1, 1, 0);
  for (int32_t x = 0; x < 5; ++x)
    for (int32_t y = 0; y < 5; ++y) EXPECT_EQ(ws.algebra(k).table[x * 5 + y], (x + y) % 5);

  // Commutative: 2x + y mod 3 with the value from below the diagonal.
  Workspace comm = workspaceWithSignature("+c");
  const int32_t c = createAlgebra(comm, 3);
  linearOperation(comm, c, 0, 2, 1, 0);
  for (int32_t x = 0; x < 3; ++x)
    for (int32_t y = 0; y < 3; ++y) {
      EXPECT_EQ(comm.algebra(c).table[x * 3 + y], (2 * std::max(x, y) + std::min(x, y)) % 3);
    }
  // Idempotent: the diagonal is x.
  Workspace idem = workspaceWithSignature("+i");
  const int32_t i = createAlgebra(idem, 3);
  linearOperation(idem, i, 0, 1, 1, 1);
  for (int32_t x = 0; x < 3; ++x) EXPECT_EQ(idem.algebra(i).table[x * 4], x);
}

TEST(OrderOperations, MeetAndJoinFromOrders) {
  Workspace ws = workspaceWithSignature("L");
  const int32_t k = createAlgebra(ws, 3);
  const std::vector<int32_t> before = ws.algebra(k).table;
  EXPECT_FALSE(joinFromOrder(ws, k, "ab ac"));  // b and c have no upper bound
  EXPECT_EQ(ws.algebra(k).table, before);
  ASSERT_TRUE(meetFromOrder(ws, k, "ab ac"));
  EXPECT_EQ(rows(ws, k, 1), (Rows{"aaa", "aba", "aac"}));
  // A cycle fails both.
  const std::vector<int32_t> now = ws.algebra(k).table;
  EXPECT_FALSE(meetFromOrder(ws, k, "abca"));
  EXPECT_FALSE(joinFromOrder(ws, k, "abca"));
  EXPECT_FALSE(meetFromOrder(ws, k, "ad"));
  EXPECT_EQ(ws.algebra(k).table, now);
}

TEST(OrderOperations, PentagonFromItsOrder) {
  Workspace ws = workspaceWithSignature("L");
  const int32_t k = createAlgebra(ws, 5);
  ASSERT_TRUE(joinFromOrder(ws, k, "abe acde"));
  ASSERT_TRUE(meetFromOrder(ws, k, "abe acde"));
  EXPECT_EQ(ws.algebra(k).table[2 * 5 + 1], 4);       // c + b = e
  EXPECT_EQ(ws.algebra(k).table[25 + 3 * 5 + 1], 0);  // d . b = a
  EXPECT_TRUE(isLattice(ws.view(k)));
}

// Two maximal lower bounds: no meet, and the table stays.
TEST(OrderOperations, MissingGreatestLowerBound) {
  Workspace ws = workspaceWithSignature("L");
  const int32_t k = createAlgebra(ws, 4);
  // a, b both below c and d: c.d has the lower bounds a and b, no greatest.
  const std::vector<int32_t> before = ws.algebra(k).table;
  EXPECT_FALSE(meetFromOrder(ws, k, "ac ad bc bd"));
  EXPECT_FALSE(joinFromOrder(ws, k, "ac ad bc bd"));
  EXPECT_EQ(ws.algebra(k).table, before);
}

}  // namespace
}  // namespace kest
