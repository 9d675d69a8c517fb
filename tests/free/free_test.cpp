#include <gtest/gtest.h>

#include <random>

#include "core/algebra_store.h"
#include "free/free_in_hsp.h"
#include "free/free_over_partial.h"
#include "free/partial_closure.h"
#include "structure/embedding.h"
#include "terms/formulas.h"
#include "tests/oracle/random_inputs.h"
#include "tests/oracle/reference_free.h"

namespace kest {
namespace {

using oracle::workspaceWithSignature;

int32_t twoElementLattice(Workspace& ws) {
  const int32_t k = createAlgebra(ws, 2);
  ws.algebras[k].table = {0, 1, 1, 1, 0, 0, 0, 1};
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
  ws.algebras[k].table = {0, 1, 1, 1, 0, 0, 0, 1, 1, 0, 0, 1};
  for (int32_t n = 1; n <= 3; ++n) EXPECT_EQ(buildFreeInHSP(ws, n, k, 1000, 0).size, 1 << (1 << n)) << n;
  Workspace semi = workspaceWithSignature(".");
  const int32_t s = createAlgebra(semi, 2);
  semi.algebras[s].table = {0, 0, 0, 1};
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
  std::fill(one.algebras[o].table.begin(), one.algebras[o].table.end(), 0);
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
    ASSERT_EQ(ws.algebras[k].table, plain.algebras[k].table) << round;
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
    buildFreeOverPartial(ws, k, 12);
    buildFreeOverPartial(plain, k, 12, noProgress(), oracle::closePartialAlgebraReference);
    ASSERT_EQ(ws.messages.lines(), plain.messages.lines()) << round;
    ASSERT_EQ(ws.algebras.back().table, plain.algebras.back().table) << round;
  }
}

TEST(FreeOverPartial, TheExamples) {
  // A complete input that satisfies the equations: 0 steps, a copy.
  Workspace ws = workspaceWithSignature("L");
  const int32_t k = twoElementLattice(ws);
  latticeLaws(ws, true);
  buildFreeOverPartial(ws, k, 62);
  EXPECT_EQ(ws.messages.lines(),
            (std::vector<std::string>{"Free algebra over A0 satisfying the listed equations constructed",
                                      "in 0 steps; largest auxiliary algebra had 2 elements", "a -> a", "b -> b"}));
  // A non-commutative table with xy=yx: elements merge, one step.
  Workspace nc = workspaceWithSignature(".");
  const int32_t g = createAlgebra(nc, 2);
  nc.algebras[g].table = {0, 0, 1, 1};
  oracle::addEquationText(nc, "xy=yx");
  buildFreeOverPartial(nc, g, 62);
  EXPECT_EQ(nc.messages.lines()[1], "in 1 steps; largest auxiliary algebra had 2 elements");
  EXPECT_EQ(nc.messages.lines()[3], "b -> a");
  // The limit equal to the card resigns at the first extension.
  Workspace r = workspaceWithSignature(".");
  createAlgebra(r, 2);
  buildFreeOverPartial(r, 0, 2);
  EXPECT_EQ(r.messages.lines(), std::vector<std::string>{"Resigning: an algebra too big needed to be constructed"});
  EXPECT_EQ(r.algebras.back().card, 3);
}

TEST(FreeOverPartial, ChoiceOrder) {
  Workspace ws = workspaceWithSignature(".");
  createAlgebra(ws, 2);
  ws.algebras[0].table = {0, -1, -1, 1};
  const std::optional<EntryChoice> e = chooseUndefinedEntry(ws, 0);
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
  ASSERT_EQ(ws.algebras[free].card, 18);
  EXPECT_TRUE(findEmbedding(ws, hsp, free).embedding.has_value());
  EXPECT_TRUE(findEmbedding(ws, free, hsp).embedding.has_value());
}

}  // namespace
}  // namespace kest
