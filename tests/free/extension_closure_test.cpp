// The closure of an extended algebra against the full closure, step by
// step along free-algebra constructions, and whole constructions against
// the plain closure, on random partial algebras under laws that keep
// elements apart and under random equations that merge them.
#include "free/extension_closure.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "core/algebra_store.h"
#include "free/free_over_partial.h"
#include "free/partial_closure.h"
#include "terms/formulas.h"
#include "tests/oracle/random_inputs.h"
#include "tests/oracle/reference_free.h"

namespace kest {
namespace {

using oracle::workspaceWithSignature;

struct Laws {
  const char* signature;
  std::vector<const char*> equations;
};

const std::vector<Laws> kLaws = {
    {".ci", {"x(yz)=(xy)z"}},
    {"L", {"x+(y+z)=(x+y)+z", "x(yz)=(xy)z", "x+xy=x", "x(x+y)=x", "x(y+z)=xy+xz"}},
    {".", {"x(yz)=(xy)z", "xx=x"}},
    {". -", {"x(yz)=(xy)z", "--x=x", "-(xy)=(-y)(-x)"}},
    {"+c -", {"x+(y+z)=(x+y)+z", "-x+x=x"}},
    {". - 1", {"x(yz)=(xy)z", "x1=x", "1x=x", "x-x=1", "(-x)x=1", "xxx=1"}},
    {".", {"x(yx)=x"}},
};

Workspace lawsWorkspace(const Laws& laws, std::mt19937& rng, bool extraEquation) {
  Workspace ws = workspaceWithSignature(laws.signature);
  for (const char* e : laws.equations) oracle::addEquationText(ws, e);
  if (extraEquation) {
    addEquation(ws, oracle::randomTerm(ws, 3, static_cast<int32_t>(rng() % 3), rng),
                oracle::randomTerm(ws, 3, static_cast<int32_t>(rng() % 3), rng));
  }
  return ws;
}

bool identifiesNothing(const Workspace& ws) {
  for (size_t x = 0; x < ws.classOf.size(); ++x) {
    if (ws.classOf[x] != static_cast<int32_t>(x)) return false;
  }
  return true;
}

// Appends k extended by one element that is the value of entry e.
int32_t extendAt(Workspace& ws, int32_t k, const EntryChoice& e) {
  const int32_t next = extendAlgebra(ws, k);
  Algebra& a = ws.algebra(next);
  const TableLayout lay = ws.layout(next);
  const int32_t v = a.card - 1;
  if (ws.sig.opArity[e.op] == 2) {
    a.table[lay.binary(e.op, e.x, e.y)] = v;
    if (ws.sig.opCommutative[e.op]) a.table[lay.binary(e.op, e.y, e.x)] = v;
  } else if (ws.sig.opArity[e.op] == 1) {
    a.table[lay.unary(e.op, e.x)] = v;
  } else {
    a.table[lay.constant(e.op - ws.sig.binaryCount - ws.sig.unaryCount)] = v;
  }
  return next;
}

TEST(ExtensionClosure, EqualsTheFullClosureStepByStep) {
  std::mt19937 rng(71);
  int closed = 0;
  int refused = 0;
  const int rounds = std::getenv("KEST_LONG") ? 20000 : 400;
  for (int round = 0; round < rounds; ++round) {
    Workspace ws = lawsWorkspace(kLaws[round % kLaws.size()], rng, round % 3 == 0);
    int32_t k = oracle::addRandomAlgebra(ws, 1 + static_cast<int32_t>(rng() % 3), 0.7, rng);
    ASSERT_TRUE(closePartialAlgebra(ws, k));
    for (int step = 0; step < 12 && identifiesNothing(ws); ++step) {
      const std::optional<EntryChoice> e = chooseUndefinedEntry(ws.view(k));
      if (!e || ws.algebra(k).card >= 40) break;
      k = extendAt(ws, k, *e);
      Workspace full = ws;
      const std::vector<int32_t> before = ws.algebra(k).table;
      const ExtensionClosure r = closeExtension(ws, k, e->op, e->x, e->y);
      ASSERT_TRUE(closePartialAlgebra(full, k));
      if (r == ExtensionClosure::kClosed) {
        ++closed;
        ASSERT_EQ(ws.algebra(k).table, full.algebra(k).table) << "round " << round << " step " << step;
        ASSERT_EQ(ws.classOf, full.classOf) << "round " << round << " step " << step;
      } else {
        ++refused;
        ASSERT_EQ(r, ExtensionClosure::kNeedsFullClosure);
        ASSERT_EQ(ws.algebra(k).table, before) << "round " << round << " step " << step;
        ws = full;
      }
    }
  }
  EXPECT_GT(closed, 500);
  EXPECT_GT(refused, 20);
  RecordProperty("closed", closed);
  RecordProperty("refused", refused);
}

TEST(ExtensionClosure, WholeConstructionsAgreeWithThePlainClosure) {
  std::mt19937 rng(72);
  const int rounds = std::getenv("KEST_LONG") ? 3000 : 120;
  for (int round = 0; round < rounds; ++round) {
    Workspace ws = lawsWorkspace(kLaws[round % kLaws.size()], rng, round % 4 == 0);
    const int32_t k = oracle::addRandomAlgebra(ws, 1 + static_cast<int32_t>(rng() % 3), 0.8, rng);
    Workspace plain = ws;
    const FreeOverPartialRun fast = buildFreeOverPartial(ws, k, 30);
    const FreeOverPartialRun slow =
        buildFreeOverPartial(plain, k, 30, noProgress(), oracle::closePartialAlgebraReference);
    ASSERT_TRUE(fast == slow) << "round " << round;
    ASSERT_EQ(ws.generatorImage, plain.generatorImage) << "round " << round;
    ASSERT_EQ(ws.algebras.back().table, plain.algebras.back().table) << "round " << round;
    ASSERT_EQ(ws.algebraCount(), plain.algebraCount());
  }
}

class StopAtOnce final : public Progress {
 public:
 protected:
  bool pollStop() override { return true; }
};

// A stopped closure leaves the table as the extension made it.
TEST(ExtensionClosure, AStopPutsTheTableBack) {
  Workspace ws = workspaceWithSignature("L");
  for (const char* e : kLaws[1].equations) oracle::addEquationText(ws, e);
  createAlgebra(ws, 4);
  buildFreeOverPartial(ws, 0, 60);  // FD(4) needs 166 elements: resigns at 61
  const int32_t k = ws.algebraCount() - 1;
  ASSERT_TRUE(closePartialAlgebra(ws, k));
  const std::optional<EntryChoice> e = chooseUndefinedEntry(ws.view(k));
  ASSERT_TRUE(e.has_value());
  const int32_t next = extendAt(ws, k, *e);
  const std::vector<int32_t> before = ws.algebra(next).table;
  StopAtOnce stop;
  EXPECT_EQ(closeExtension(ws, next, e->op, e->x, e->y, stop), ExtensionClosure::kStopped);
  EXPECT_EQ(ws.algebra(next).table, before);
}

TEST(ExtensionClosure, FreeSemilatticesAndFreeDistributiveLattices) {
  for (int32_t n = 1; n <= 5; ++n) {
    Workspace ws = workspaceWithSignature(".ci");
    oracle::addEquationText(ws, "x(yz)=(xy)z");
    createAlgebra(ws, n);
    buildFreeOverPartial(ws, 0, 100);
    EXPECT_EQ(ws.algebras.back().card, (1 << n) - 1);
  }
  const int32_t sizes[] = {1, 1, 4, 18};
  for (int32_t n = 1; n <= 3; ++n) {
    std::mt19937 unused(1);
    Workspace ws = lawsWorkspace(kLaws[1], unused, false);
    createAlgebra(ws, n);
    buildFreeOverPartial(ws, 0, 100);
    EXPECT_EQ(ws.algebras.back().card, sizes[n]) << n;
  }
}

}  // namespace
}  // namespace kest
