#include <gtest/gtest.h>

#include <numeric>
#include <random>

#include "core/algebra_store.h"
#include "free/free_in_hsp.h"
#include "free/free_over_partial.h"
#include "free/partial_closure.h"
#include "structure/embedding.h"
#include "terms/formulas.h"
#include "tests/oracle/random_inputs.h"
#include "tests/oracle/reference_free.h"
#include "tests/oracle/test_progress.h"

namespace kest {
namespace {

using oracle::workspaceWithSignature;

int32_t twoElementLattice(Workspace& ws) {
  const int32_t k = createAlgebra(ws, 2);
  ws.algebra(k).table = {0, 1, 1, 1, 0, 0, 0, 1};
  return k;
}

void latticeLaws(Workspace& ws, bool distributive) {
  for (const char* e : {"x+(y+z)=(x+y)+z", "x(yz)=(xy)z", "x+xy=x", "x(x+y)=x"}) oracle::addEquationText(ws, e);
  if (distributive) oracle::addEquationText(ws, "x(y+z)=xy+xz");
}

TEST(FreeInHsp, FreeDistributiveLatticeSizes) {
  Workspace ws = workspaceWithSignature("L");
  const int32_t k = twoElementLattice(ws);
  const int32_t sizes[] = {0, 1, 4, 18, 166};
  for (int32_t n = 0; n <= 4; ++n) {
    const FreeInHspResult r = buildFreeInHSP(ws, n, k, 1000, 0);
    EXPECT_EQ(r.size, sizes[n]) << n;
    EXPECT_EQ(r.size, oracle::freeInHspSizeReference(ws, n, k, 1000)) << n;
  }
}

TEST(FreeInHsp, BooleanAlgebrasAndSemilattices) {
  Workspace ws = workspaceWithSignature("+c .c - 0 1");
  const int32_t k = createAlgebra(ws, 2);
  ws.algebra(k).table = {0, 1, 1, 1, 0, 0, 0, 1, 1, 0, 0, 1};
  for (int32_t n = 1; n <= 3; ++n) EXPECT_EQ(buildFreeInHSP(ws, n, k, 1000, 0).size, 1 << (1 << n)) << n;
  Workspace semi = workspaceWithSignature(".");
  const int32_t s = createAlgebra(semi, 2);
  semi.algebra(s).table = {0, 0, 0, 1};
  for (int32_t n = 1; n <= 5; ++n) EXPECT_EQ(buildFreeInHSP(semi, n, s, 1000, 0).size, (1 << n) - 1) << n;
}

TEST(FreeInHsp, LimitsTablesAndOneElement) {
  Workspace ws = workspaceWithSignature("L");
  const int32_t k = twoElementLattice(ws);
  EXPECT_EQ(buildFreeInHSP(ws, 3, k, 18, 0).size, 18);
  EXPECT_EQ(buildFreeInHSP(ws, 3, k, 17, 0).status, FreeInHspResult::Status::kTooMany);
  // The stop value is raised to n + NC: the generators alone always fit.
  EXPECT_EQ(buildFreeInHSP(ws, 1, k, 0, 0).size, 1);
  EXPECT_EQ(buildFreeInHSP(ws, 2, k, 0, 0).status, FreeInHspResult::Status::kTooMany);
  const int32_t before = ws.algebraCount();
  EXPECT_EQ(buildFreeInHSP(ws, 2, k, 1000, 3).size, 4);  // tables below the size: nothing appended
  EXPECT_EQ(ws.algebraCount(), before);
  EXPECT_EQ(buildFreeInHSP(ws, 2, k, 1000, 4).size, 4);
  EXPECT_EQ(ws.algebraCount(), before + 1);
  Workspace one = workspaceWithSignature(". 0 1");
  const int32_t o = createAlgebra(one, 1);
  std::fill(one.algebra(o).table.begin(), one.algebra(o).table.end(), 0);
  EXPECT_EQ(buildFreeInHSP(one, 3, o, 1000, 0).size, 1);
  EXPECT_EQ(buildFreeInHSP(ws, 40, k, 1000, 0).status, FreeInHspResult::Status::kTooBig);
}

TEST(FreeInHsp, AgreesWithThePlainSearchOnRandomAlgebras) {
  std::mt19937 rng(101);
  for (int round = 0; round < 60; ++round) {
    Workspace ws = workspaceWithSignature(round % 2 ? ". -" : "+c 0");
    const int32_t k = oracle::addRandomAlgebra(ws, 2 + static_cast<int32_t>(rng() % 3), 0.0, rng);
    const int32_t n = static_cast<int32_t>(rng() % 3);
    const FreeInHspResult r = buildFreeInHSP(ws, n, k, 300, 0);
    const int32_t plain = oracle::freeInHspSizeReference(ws, n, k, 300);
    ASSERT_EQ(r.status == FreeInHspResult::Status::kTooMany ? -1 : r.size, plain) << round;
  }
}

TEST(FreeOverPartial, ClosureAgreesWithThePlainClosure) {
  std::mt19937 rng(102);
  const char* signatures[] = {".", "+c .", ".i -", "+ci 0"};
  for (int round = 0; round < 300; ++round) {
    Workspace ws = workspaceWithSignature(signatures[round % 4]);
    const int32_t k = oracle::addRandomAlgebra(ws, 1 + static_cast<int32_t>(rng() % 5), 0.5, rng);
    for (int e = 0; e < 2; ++e) {
      addEquation(ws, oracle::randomTerm(ws, 2, static_cast<int32_t>(rng() % 3), rng),
                  oracle::randomTerm(ws, 2, static_cast<int32_t>(rng() % 3), rng));
    }
    Workspace plain = ws;
    ASSERT_TRUE(closePartialAlgebra(ws, k));
    oracle::closePartialAlgebraReference(plain, k, noProgress());
    ASSERT_EQ(ws.algebra(k).table, plain.algebra(k).table) << round;
    ASSERT_EQ(ws.classOf, plain.classOf) << round;
  }
}

TEST(FreeOverPartial, WholeRunsAgreeWithThePlainClosure) {
  std::mt19937 rng(103);
  for (int round = 0; round < 60; ++round) {
    Workspace ws = workspaceWithSignature(round % 2 ? "+ci" : ". -");
    const int32_t k = oracle::addRandomAlgebra(ws, 1 + static_cast<int32_t>(rng() % 3), 0.4, rng);
    addEquation(ws, oracle::randomTerm(ws, 2, 2, rng), oracle::randomTerm(ws, 2, 2, rng));
    Workspace plain = ws;
    const FreeOverPartialRun fast = buildFreeOverPartial(ws, k, 12);
    const FreeOverPartialRun slow =
        buildFreeOverPartial(plain, k, 12, noProgress(), oracle::closePartialAlgebraReference);
    ASSERT_TRUE(fast == slow) << round;
    ASSERT_EQ(ws.generatorImage, plain.generatorImage) << round;
    ASSERT_EQ(ws.algebras.back().table, plain.algebras.back().table) << round;
  }
}

TEST(FreeOverPartial, TheExamples) {
  // A complete input that satisfies the equations: 0 steps, a copy.
  Workspace ws = workspaceWithSignature("L");
  const int32_t k = twoElementLattice(ws);
  latticeLaws(ws, true);
  using Outcome = FreeOverPartialRun::Outcome;
  EXPECT_TRUE(buildFreeOverPartial(ws, k, 62) == (FreeOverPartialRun{Outcome::kConstructed, 0, 2}));
  EXPECT_EQ(ws.generatorImage, (std::vector<int32_t>{0, 1}));
  // A non-commutative table with xy=yx: elements merge, one step.
  Workspace nc = workspaceWithSignature(".");
  const int32_t g = createAlgebra(nc, 2);
  nc.algebra(g).table = {0, 0, 1, 1};
  oracle::addEquationText(nc, "xy=yx");
  EXPECT_TRUE(buildFreeOverPartial(nc, g, 62) == (FreeOverPartialRun{Outcome::kConstructed, 1, 2}));
  EXPECT_EQ(nc.generatorImage, (std::vector<int32_t>{0, 0}));
  // The limit equal to the card resigns at the first extension.
  Workspace r = workspaceWithSignature(".");
  createAlgebra(r, 2);
  EXPECT_EQ(buildFreeOverPartial(r, 0, 2).outcome, Outcome::kResigned);
  EXPECT_EQ(r.algebras.back().card, 3);
}

TEST(FreeOverPartial, ChoiceOrder) {
  Workspace ws = workspaceWithSignature(".");
  createAlgebra(ws, 2);
  ws.algebra(0).table = {0, -1, -1, 1};
  const std::optional<EntryChoice> e = chooseUndefinedEntry(ws.view(0));
  ASSERT_TRUE(e.has_value());
  EXPECT_EQ(e->x, 1);
  EXPECT_EQ(e->y, 0);
}

TEST(FreeOverPartial, TheTwoConstructionsAgreeOnTheFreeDistributiveLattice) {
  Workspace ws = workspaceWithSignature("L");
  const int32_t two = twoElementLattice(ws);
  latticeLaws(ws, true);
  ASSERT_EQ(buildFreeInHSP(ws, 3, two, 1000, 62).size, 18);
  const int32_t hsp = ws.algebraCount() - 1;
  const int32_t partial = createAlgebra(ws, 3);
  buildFreeOverPartial(ws, partial, 100);
  const int32_t free = ws.algebraCount() - 1;
  ASSERT_EQ(ws.algebra(free).card, 18);
  EXPECT_TRUE(findEmbedding(ws.view(hsp), ws.view(free)).embedding.has_value());
  EXPECT_TRUE(findEmbedding(ws.view(free), ws.view(hsp)).embedding.has_value());
}

}  // namespace
}  // namespace kest

namespace kest {
namespace {

// free-hsp 30 5 over a two-element algebra built vectors of 2^30 entries
// (minutes, 800 MB, deaf to Ctrl+C); 30 generators are more than 5.
TEST(FreeInHsp, MoreGeneratorsThanTheStopAnswerAtOnce) {
  Workspace ws = oracle::workspaceWithSignature("*");
  const int32_t k = createAlgebra(ws, 2);
  ws.algebra(k).table = {0, 0};  // x* = a
  oracle::StopAfterSeconds soon(2.0);
  EXPECT_EQ(buildFreeInHSP(ws, 30, k, 5, 0, soon).status, FreeInHspResult::Status::kTooMany);
  // The identity: the free algebra is the 30 projections, whatever n.
  ws.algebra(k).table = {0, 1};
  const FreeInHspResult r = buildFreeInHSP(ws, 30, k, 5, 0, soon);
  EXPECT_EQ(r.status, FreeInHspResult::Status::kSize);
  EXPECT_EQ(r.size, 30);
  EXPECT_EQ(ws.algebraCount(), 1);
}

// Where the answer comes without the closure, it must be the closure's:
// the size, and with the tables the same algebra in the same order. The
// algebras here have operations that are projections or constants.
TEST(FreeInHsp, ProjectionsAndConstantsAgreeWithTheClosure) {
  std::mt19937 rng(2027);
  for (int round = 0; round < 300; ++round) {
    Workspace ws = oracle::workspaceWithSignature(round % 3 == 0 ? ". - 0" : round % 3 == 1 ? "+ . 0 1" : "- *");
    const int32_t m = 2 + static_cast<int32_t>(rng() % 3);
    const int32_t k = createAlgebra(ws, m);
    Algebra& a = ws.algebra(k);
    const TableLayout lay = ws.layout(k);
    // Constants first (distinct values), then operations that are mostly
    // projections or constants, now and then something else.
    std::vector<int32_t> values(static_cast<size_t>(m));
    std::iota(values.begin(), values.end(), 0);
    std::shuffle(values.begin(), values.end(), rng);
    for (int32_t c = 0; c < ws.sig.constantCount; ++c)
      a.table[static_cast<size_t>(lay.constant(c))] = values[static_cast<size_t>(c)];
    const int32_t someConstant = ws.sig.constantCount > 0 ? values[0] : 0;
    for (int32_t b = 0; b < ws.sig.binaryCount; ++b) {
      const int32_t kind = static_cast<int32_t>(rng() % 4);
      for (int32_t x = 0; x < m; ++x) {
        for (int32_t y = 0; y < m; ++y) {
          int32_t v = kind == 0 ? x : kind == 1 ? y : kind == 2 ? someConstant : static_cast<int32_t>(rng() % m);
          a.table[static_cast<size_t>(lay.binary(b, x, y))] = v;
        }
      }
    }
    for (int32_t u = ws.sig.binaryCount; u < ws.sig.binaryCount + ws.sig.unaryCount; ++u) {
      const int32_t kind = static_cast<int32_t>(rng() % 3);
      for (int32_t x = 0; x < m; ++x) {
        a.table[static_cast<size_t>(lay.unary(u, x))] = kind == 0   ? x
                                                        : kind == 1 ? someConstant
                                                                    : static_cast<int32_t>(rng() % m);
      }
    }
    for (int32_t n = 1; n <= 3; ++n) {
      SCOPED_TRACE("round " + std::to_string(round) + ", n " + std::to_string(n));
      // stop below n takes the early answer, a large stop the closure.
      const int32_t before = ws.algebraCount();
      const FreeInHspResult early = buildFreeInHSP(ws, n, k, n - 1, 100);
      const FreeInHspResult closed = buildFreeInHSP(ws, n, k, 1000, 100);
      if (closed.status == FreeInHspResult::Status::kTooMany) {
        EXPECT_EQ(early.status, FreeInHspResult::Status::kTooMany);
      } else if (early.status == FreeInHspResult::Status::kTooMany) {
        EXPECT_GT(closed.size, n + ws.sig.constantCount);
      } else {
        ASSERT_EQ(early.status, FreeInHspResult::Status::kSize);
        EXPECT_EQ(early.size, closed.size);
        ASSERT_EQ(ws.algebraCount(), before + 2);
        EXPECT_EQ(ws.algebra(before).table, ws.algebra(before + 1).table);
      }
      while (ws.algebraCount() > 1) deleteAlgebra(ws, ws.algebraCount() - 1);
    }
  }
}

// free-hsp 4 70000 70000 over the Boolean algebra ran the whole closure
// and then built no tables and said nothing: their size is known before.
TEST(FreeInHsp, TablesTooLargeAreSaidBeforeTheClosure) {
  Workspace ws = oracle::workspaceWithSignature("+c .c - 0 1");
  const int32_t k = createAlgebra(ws, 2);
  ws.algebra(k).table = {0, 1, 1, 1, 0, 0, 0, 1, 1, 0, 0, 1};
  oracle::StopAtPoll never(INT64_MAX);
  const FreeInHspResult r = buildFreeInHSP(ws, 4, k, 70000, 70000, never);
  EXPECT_EQ(r.status, FreeInHspResult::Status::kTablesTooBig);
  EXPECT_EQ(r.size, 65536);
  EXPECT_EQ(never.polls(), 0);  // no closure ran
  EXPECT_EQ(ws.algebraCount(), 1);
}

}  // namespace
}  // namespace kest
