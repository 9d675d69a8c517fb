#include "structure/congruence_lattice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <random>
#include <set>

#include "core/algebra_store.h"
#include "tests/oracle/random_inputs.h"
#include "tests/oracle/reference_structure.h"
#include "tests/oracle/test_progress.h"

namespace kest {
namespace {

using oracle::workspaceWithSignature;

size_t conSize(const Workspace& ws, int32_t k) { return congruenceLattice(ws.view(k), 1000000).listing.size(); }
size_t subSize(const Workspace& ws, int32_t k) { return subuniverseLattice(ws.view(k), 1000000).listing.size(); }

// A binary table from a function, in the signature's first binary slot,
// with the second slot (when there is one) filled by second.
int32_t tableAlgebra(Workspace& ws, int32_t n, const std::function<int32_t(int32_t, int32_t)>& first,
                     const std::function<int32_t(int32_t, int32_t)>& second = nullptr) {
  const int32_t k = createAlgebra(ws, n);
  std::vector<int32_t>& t = ws.algebra(k).table;
  for (int32_t x = 0; x < n; ++x) {
    for (int32_t y = 0; y < n; ++y) {
      t[static_cast<size_t>(x) * n + y] = first(x, y);
      if (second) t[static_cast<size_t>(n) * n + static_cast<size_t>(x) * n + y] = second(x, y);
    }
  }
  return k;
}

// The group of permutations (of m points) that the generators generate,
// composed; counted by Con, which for a group is its normal subgroups.
int32_t permutationGroup(Workspace& ws, const std::vector<std::vector<int32_t>>& generators) {
  std::vector<std::vector<int32_t>> elements;
  std::vector<int32_t> id(generators[0].size());
  for (size_t i = 0; i < id.size(); ++i) id[i] = static_cast<int32_t>(i);
  elements.push_back(id);
  auto compose = [](const std::vector<int32_t>& p, const std::vector<int32_t>& q) {
    std::vector<int32_t> r(p.size());
    for (size_t i = 0; i < p.size(); ++i) r[i] = p[static_cast<size_t>(q[i])];
    return r;
  };
  for (size_t i = 0; i < elements.size(); ++i) {
    for (const auto& g : generators) {
      std::vector<int32_t> r = compose(elements[i], g);
      if (std::find(elements.begin(), elements.end(), r) == elements.end()) elements.push_back(r);
    }
  }
  auto index = [&](const std::vector<int32_t>& p) {
    return static_cast<int32_t>(std::find(elements.begin(), elements.end(), p) - elements.begin());
  };
  return tableAlgebra(ws, static_cast<int32_t>(elements.size()), [&](int32_t x, int32_t y) {
    return index(compose(elements[static_cast<size_t>(x)], elements[static_cast<size_t>(y)]));
  });
}

TEST(CongruenceLattice, CyclicGroupsHaveOneCongruencePerDivisor) {
  Workspace ws = workspaceWithSignature("+");
  for (auto [n, divisors] : std::vector<std::pair<int32_t, size_t>>{{1, 1}, {7, 2}, {12, 6}, {60, 12}, {210, 16}}) {
    EXPECT_EQ(conSize(ws, tableAlgebra(ws, n, [n](int32_t x, int32_t y) { return (x + y) % n; })), divisors) << n;
  }
}

TEST(CongruenceLattice, GroupsHaveTheirNormalSubgroups) {
  Workspace ws = workspaceWithSignature(".");
  EXPECT_EQ(conSize(ws, permutationGroup(ws, {{1, 0, 2}, {1, 2, 0}})), 3u);        // S3
  EXPECT_EQ(conSize(ws, permutationGroup(ws, {{1, 0, 2, 3}, {1, 2, 3, 0}})), 4u);  // S4
  EXPECT_EQ(conSize(ws, permutationGroup(ws, {{1, 2, 0, 3}, {0, 2, 3, 1}})), 3u);  // A4
  EXPECT_EQ(conSize(ws, permutationGroup(ws, {{1, 2, 3, 0}, {3, 2, 1, 0}})), 6u);  // D4
}

TEST(CongruenceLattice, LatticesChainsAndSemilatticePowers) {
  Workspace ws = workspaceWithSignature("L");
  auto max = [](int32_t x, int32_t y) { return std::max(x, y); };
  auto min = [](int32_t x, int32_t y) { return std::min(x, y); };
  for (int32_t n = 1; n <= 9; ++n) EXPECT_EQ(conSize(ws, tableAlgebra(ws, n, max, min)), size_t{1} << (n - 1)) << n;
  // Con of a chain is Boolean: its atoms, one per covering pair, are the
  // join irreducibles.
  const LatticeResult chain5 = congruenceLattice(ws.view(tableAlgebra(ws, 5, max, min)), 100);
  EXPECT_EQ(chain5.listing.joinIrreducibleCount(), 4u);
  // M3 and N5 by their orders: 0 bottom, 4 top.
  auto lattice = [&](const std::vector<std::array<int32_t, 2>>& below) {
    auto leq = [&](int32_t x, int32_t y) {
      if (x == y || x == 0 || y == 4) return true;
      for (auto [a, b] : below) {
        if (a == x && b == y) return true;
      }
      return false;
    };
    auto join = [&](int32_t x, int32_t y) {
      for (int32_t z = 0; z < 5; ++z) {
        bool least = leq(x, z) && leq(y, z);
        for (int32_t w = 0; w < 5 && least; ++w) least = !(leq(x, w) && leq(y, w)) || leq(z, w);
        if (least) return z;
      }
      return -1;
    };
    auto meet = [&](int32_t x, int32_t y) {
      for (int32_t z = 0; z < 5; ++z) {
        bool greatest = leq(z, x) && leq(z, y);
        for (int32_t w = 0; w < 5 && greatest; ++w) greatest = !(leq(w, x) && leq(w, y)) || leq(w, z);
        if (greatest) return z;
      }
      return -1;
    };
    return tableAlgebra(ws, 5, join, meet);
  };
  EXPECT_EQ(conSize(ws, lattice({})), 2u);        // M3
  EXPECT_EQ(conSize(ws, lattice({{1, 2}})), 5u);  // N5
  // The Boolean lattice 2^3 and the product of chains 2 x 3: three join
  // irreducibles each, so 2^3 congruences.
  EXPECT_EQ(
      conSize(ws, tableAlgebra(
                      ws, 8, [](int32_t x, int32_t y) { return x | y; }, [](int32_t x, int32_t y) { return x & y; })),
      8u);
  Workspace semi = workspaceWithSignature(".");
  const size_t published[] = {2, 7, 61, 2480};
  for (int32_t k = 1; k <= 4; ++k) {
    EXPECT_EQ(conSize(semi, tableAlgebra(semi, 1 << k, [](int32_t x, int32_t y) { return x & y; })), published[k - 1])
        << k;
  }
}

TEST(SubuniverseLattice, GroupsChainsAndConstants) {
  Workspace ws = workspaceWithSignature("+");
  // Subgroups and the empty set.
  EXPECT_EQ(subSize(ws, tableAlgebra(ws, 12, [](int32_t x, int32_t y) { return (x + y) % 12; })), 7u);
  Workspace lat = workspaceWithSignature("L");
  for (int32_t n = 1; n <= 8; ++n) {
    const int32_t k = tableAlgebra(
        lat, n, [](int32_t x, int32_t y) { return std::max(x, y); },
        [](int32_t x, int32_t y) { return std::min(x, y); });
    EXPECT_EQ(subSize(lat, k), size_t{1} << n) << n;
  }
  // A constant is in every subuniverse: no empty one.
  Workspace c = workspaceWithSignature("+ 0");
  const int32_t z = tableAlgebra(c, 6, [](int32_t x, int32_t y) { return (x + y) % 6; });
  c.algebra(z).table.back() = 0;
  const LatticeResult sub = subuniverseLattice(c.view(z), 100);
  EXPECT_EQ(sub.listing.size(), 4u);
  EXPECT_EQ(sub.listing.members(0), std::vector<int32_t>{0});
}

TEST(CongruenceLattice, StopsAtTheBound) {
  Workspace ws = workspaceWithSignature("L");
  const int32_t k = tableAlgebra(
      ws, 12, [](int32_t x, int32_t y) { return std::max(x, y); }, [](int32_t x, int32_t y) { return std::min(x, y); });
  EXPECT_EQ(congruenceLattice(ws.view(k), 2048).status, LatticeStatus::kDone);
  EXPECT_EQ(congruenceLattice(ws.view(k), 2047).status, LatticeStatus::kTooMany);
  EXPECT_EQ(subuniverseLattice(ws.view(k), 4095).status, LatticeStatus::kTooMany);
  Workspace empty = workspaceWithSignature(".");
  const int32_t e = createAlgebra(empty, 0);
  EXPECT_EQ(congruenceLattice(empty.view(e), 10).listing.size(), 1u);
  EXPECT_EQ(subuniverseLattice(empty.view(e), 10).listing.size(), 1u);
}

// Every partition of up to 6 elements, canonical (entry i the least of its block).
void allPartitions(int32_t n, Partition& p, int32_t i, std::vector<Partition>& out) {
  if (i == n) {
    out.push_back(p);
    return;
  }
  p[static_cast<size_t>(i)] = i;
  allPartitions(n, p, i + 1, out);
  for (int32_t r = 0; r < i; ++r) {
    if (p[static_cast<size_t>(r)] != r) continue;
    p[static_cast<size_t>(i)] = r;
    allPartitions(n, p, i + 1, out);
  }
}

// The lists against brute force: every partition closed by the plain
// closure, every subset closed by the plain subuniverse closure; joins
// and meets of listed congruences are listed and agree with the closure.
TEST(CongruenceLattice, AgreesWithBruteForceOnRandomAlgebras) {
  std::mt19937 rng(15);
  for (int round = 0; round < 80; ++round) {
    Workspace ws = workspaceWithSignature(round % 2 ? ". -" : "+c 0");
    const int32_t n = 1 + static_cast<int32_t>(rng() % 6);
    const int32_t k = oracle::addRandomAlgebra(ws, n, 0.0, rng);
    std::vector<Partition> every;
    Partition scratch(static_cast<size_t>(n));
    allPartitions(n, scratch, 0, every);
    std::set<Partition> expected;
    for (const Partition& p : every) {
      Partition q = p;
      oracle::closureReference(ws, k, q);
      if (q == p) expected.insert(p);
    }
    const LatticeResult con = congruenceLattice(ws.view(k), 100000);
    std::set<Partition> listed;
    for (size_t i = 0; i < con.listing.size(); ++i) listed.insert(con.listing.partition(i));
    ASSERT_EQ(listed, expected) << round;
    for (size_t i = 1; i < con.listing.size(); ++i) {
      const Partition a = con.listing.partition(i - 1);
      const Partition b = con.listing.partition(i);
      ASSERT_TRUE(countBlocks(a) > countBlocks(b) || (countBlocks(a) == countBlocks(b) && a < b)) << round;
      Partition generated = a;
      for (int32_t x = 0; x < n; ++x) {
        if (b[static_cast<size_t>(x)] != x)
          generated[static_cast<size_t>(x)] = generated[static_cast<size_t>(b[static_cast<size_t>(x)])];
      }
      Partition joined = joinPartitions(a, b);
      oracle::closureReference(ws, k, generated);
      ASSERT_EQ(joined, generated) << round;
      Partition meet(static_cast<size_t>(n));
      for (int32_t x = 0; x < n; ++x) {
        int32_t r = x;
        for (int32_t y = 0; y < x; ++y) {
          if (a[static_cast<size_t>(y)] == a[static_cast<size_t>(x)] &&
              b[static_cast<size_t>(y)] == b[static_cast<size_t>(x)]) {
            r = y;
            break;
          }
        }
        meet[static_cast<size_t>(x)] = r;
      }
      ASSERT_TRUE(expected.count(meet)) << round;
    }
    std::set<std::vector<int32_t>> subsets;
    for (uint32_t mask = 0; mask < (1u << n); ++mask) {
      std::vector<uint8_t> members(static_cast<size_t>(n));
      for (int32_t x = 0; x < n; ++x) members[static_cast<size_t>(x)] = (mask >> x) & 1;
      std::vector<uint8_t> closed = members;
      oracle::closeSubuniverseReference(ws, k, closed);
      if (closed != members) continue;
      std::vector<int32_t> list;
      for (int32_t x = 0; x < n; ++x) {
        if (members[static_cast<size_t>(x)]) list.push_back(x);
      }
      subsets.insert(list);
    }
    const LatticeResult sub = subuniverseLattice(ws.view(k), 100000);
    std::set<std::vector<int32_t>> listedSubsets;
    for (size_t i = 0; i < sub.listing.size(); ++i) listedSubsets.insert(sub.listing.members(i));
    ASSERT_EQ(listedSubsets, subsets) << round;
  }
}

}  // namespace
}  // namespace kest

namespace kest {
namespace {

// con 10 on the 1000-element left-zero band (every partition a congruence)
// computed all 499,500 principal congruences before comparing the count
// with the stop, and ran out of memory; sub 10 on 22,500 elements with no
// entry defined did the same. More than stop distinct generators answer.
TEST(ConSub, TheStopCountsWhileTheGeneratorsAreFound) {
  Workspace band = workspaceWithSignature(".");
  const int32_t k = createAlgebra(band, 1000);
  for (int32_t x = 0; x < 1000; ++x) {
    for (int32_t y = 0; y < 1000; ++y) band.algebra(k).table[static_cast<size_t>(x) * 1000 + y] = x;
  }
  oracle::StopAfterSeconds soon(3.0);
  EXPECT_EQ(congruenceLattice(band.view(k), 10, soon).status, LatticeStatus::kTooMany);
  EXPECT_EQ(subuniverseLattice(band.view(k), 10, soon).status, LatticeStatus::kTooMany);
  // (A unary operation keeps the table small; nothing is defined.)
  Workspace empty = workspaceWithSignature("-");
  const int32_t e = createAlgebra(empty, 22500);
  EXPECT_EQ(subuniverseLattice(empty.view(e), 10, soon).status, LatticeStatus::kTooMany);
  EXPECT_FALSE(soon.stopped());
}

// Con(A) of Z_n once reported "0 of n(n-1)/2 pairs" for most of its run:
// the first row of pairs holds almost all the closures. Its figures now
// advance within that row.
TEST(ConSub, ProgressAdvancesWithinTheFirstRowOfPairs) {
  Workspace ws = workspaceWithSignature("+");
  const int32_t k = createAlgebra(ws, 60);
  for (int32_t x = 0; x < 60; ++x) {
    for (int32_t y = 0; y < 60; ++y) ws.algebra(k).table[static_cast<size_t>(x) * 60 + y] = (x + y) % 60;
  }
  oracle::RecordingProgress progress;
  congruenceLattice(ws.view(k), 1000, progress);
  int32_t inFirstRow = 0;
  for (const oracle::Report& r : progress.reports) {
    if (r.unit == "pairs" && r.done > 0 && r.done < 59) ++inFirstRow;
  }
  EXPECT_GE(inFirstRow, 5);
}

}  // namespace
}  // namespace kest
