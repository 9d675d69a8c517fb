// Every command on the edges: algebras of 0, 1, 2, 62, 63 and thousands of
// elements, complete and partial, in signatures with and without unary
// operations and constants. Each script line runs through the same verb
// dispatch as kest --script; afterwards the workspace must still be
// consistent. Under the sanitizers this is also a memory-safety sweep.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/algebra_store.h"
#include "script/script_context.h"
#include "script/script_runner.h"

namespace kest {
namespace {

// The invariants every command must keep, whatever it did.
void expectConsistent(const Workspace& ws, const std::string& after) {
  int32_t displayed = 0;
  for (int32_t k = 0; k < ws.algebraCount(); ++k) {
    const Algebra& a = ws.algebra(k);
    ASSERT_GE(a.card, 0) << after;
    ASSERT_LE(a.card, kMaxCardinality) << after;
    ASSERT_EQ(static_cast<int64_t>(a.table.size()), ws.layout(k).size()) << after;
    for (int32_t v : a.table) ASSERT_TRUE(v >= -1 && v < a.card) << after << ": A" << k << " holds " << v;
    ASSERT_TRUE(a.displayed == 0 || a.displayed == 1) << after;
    if (a.displayed) {
      ASSERT_LE(a.card, ws.sig.maxNamedElements) << after;
    }
    displayed += a.displayed;
    ASSERT_GT(a.boxWidth, 0) << after;
    ASSERT_GT(a.boxHeight, 0) << after;
    ASSERT_TRUE(a.latticeX.empty() || a.latticeX.size() == static_cast<size_t>(a.card)) << after;
  }
  ASSERT_EQ(displayed, ws.displayedCount) << after;
  for (int32_t mark : {ws.redMarked, ws.greenMarked}) {
    if (ws.algebraCount() == 0) {
      ASSERT_EQ(mark, -1) << after;
    } else {
      ASSERT_TRUE(ws.validAlgebra(mark)) << after;
    }
  }
}

// An associative-looking law in the signature's first binary symbol, else
// one in a unary symbol, else x=x.
std::string lawFor(const Signature& sig) {
  for (int32_t op = 0; op < sig.operationCount; ++op) {
    const char c = sig.opSymbol[static_cast<size_t>(op)];
    if (sig.opArity[static_cast<size_t>(op)] == 2) {
      const std::string s(1, c);
      return "(x" + s + "y)" + s + "z=x" + s + "(y" + s + "z)";
    }
  }
  for (int32_t op = 0; op < sig.operationCount; ++op) {
    if (sig.opArity[static_cast<size_t>(op)] == 1) return std::string(1, sig.opSymbol[static_cast<size_t>(op)]) + "x=x";
  }
  return "x=x";
}

void fillRandom(Workspace& ws, int32_t k, bool partial, std::mt19937& rng) {
  Algebra& a = ws.algebra(k);
  if (a.card == 0) return;
  std::uniform_int_distribution<int32_t> value(0, a.card - 1);
  std::uniform_int_distribution<int32_t> hole(0, 9);
  for (int32_t& v : a.table) v = partial && hole(rng) == 0 ? -1 : value(rng);
}

struct Case {
  const char* signature;
  int32_t card;
  bool partial;
};

// The commands of one sweep, in the order they run. A line may fail with
// a script error (a verb a signature does not offer): only crashes and
// broken invariants count.
std::vector<std::string> sweepLines(const std::string& law, const std::string& dir) {
  return {
      "equation " + law,
      "equation x=y",
      "not 0",
      "and 0 1",
      "or 0 1",
      "implies 0 1",
      "iff 0 1",
      "red 0",
      "green 1",
      "key s 0",
      "key a 0",
      "key i 0",
      "key c 0 ab",
      "key f 0 ab bc",
      "key g 0 ab",
      "key l 0",
      "key k 0",
      "key N 0",
      "key r 0",
      "key u 0",
      "key e 0",
      "embed",
      "extend ab",
      "extend",
      "subalgebra a",
      "subalgebra",
      "subproduct aa ba",
      "product",
      "linear . 1 1 0",
      "linear + 2 1 1",
      "linear - 1 0 1",
      "graph . abca",
      "order . abc",
      "meet abc",
      "join ab",
      "lattice abe acde",
      "glue",
      "red 1",
      "green 0",
      "glue",
      "red 0",
      "green 0",
      "glue",
      "key B 0 . acb aed",
      "free-hsp 1",
      "free-hsp 0",
      "free-hsp 2 100 0",
      "free-partial 3",
      "key x 0",
      "key z 0",
      "key y 0",
      "key C 0",
      "con 200",
      "con 1",
      "page con",
      "draw " + dir + "/c.tex",
      "click left 100 100",
      "press Space",
      "page con",
      "sub 200",
      "sub 0",
      "page sub",
      "draw " + dir + "/s.svg 300 200",
      "click left 100 100",
      "page sub",
      "con 200 " + dir + "/con.txt",
      "sub 200 " + dir + "/sub.txt",
      "maltsev all",
      "maltsev nu 3",
      "save " + dir + "/a.ua",
      "open " + dir + "/a.ua",
      "open " + dir + "/a.ua x=y",
      "page lattice",
      "draw " + dir + "/l.tex",
      "draw " + dir + "/p.svg 300 200",
      "page lattice",
      "page embedding",
      "draw " + dir + "/e.svg 300 200",
      "page embedding",
      "page info",
      "info",
      "page info",
      "page help",
      "press Down",
      "page help",
      "show 0",
      "list",
      "messages",
      "marks",
      "polish",
      "key s 0",
      "polish",
      "save " + dir + "/ws.txt",
      "save " + dir + "/a.t",
      "save-binary 0 " + dir + "/a.bin",
      "open " + dir + "/a.t",
      "open " + dir + "/ws.txt",
      "key h 0",
      "key h 0",
      "key d 0",
      "key d 0",
      "delete formula 0",
      "delete term A",
      "new",
  };
}

// Asks every command to stop once it has run for a while, as a user
// pressing Ctrl+C would: long commands are cut short, and must then leave
// the workspace sound.
class Deadline final : public Progress {
 public:
  explicit Deadline(double seconds) : seconds_(seconds) {}

 protected:
  bool pollStop() override { return std::chrono::duration<double>(Clock::now() - start_).count() > seconds_; }
  void discardStop() override { start_ = Clock::now(); }

 private:
  using Clock = std::chrono::steady_clock;
  double seconds_;
  Clock::time_point start_ = Clock::now();
};

// Seconds a command may run past its deadline before the sweep calls it
// deaf to stops (generous: sanitizers and a busy machine slow everything).
constexpr double kStopSlack = 10.0;

void runSweep(const Case& c, std::mt19937& rng, double deadline = 1.0) {
  std::ostringstream out;
  Deadline progress(deadline);
  ScriptContext ctx{Workspace(), false, out, progress};
  const std::string dir = testing::TempDir() + "kest_edge";
  std::filesystem::create_directories(dir);
  ASSERT_EQ(runScriptLine(ctx, std::string("signature ") + c.signature), "");
  const int32_t k = createAlgebra(ctx.ws, c.card);
  fillRandom(ctx.ws, k, c.partial, rng);
  fillRandom(ctx.ws, createAlgebra(ctx.ws, 2), c.partial, rng);
  expectConsistent(ctx.ws, "setup");
  for (const std::string& line : sweepLines(lawFor(ctx.ws.sig), dir)) {
    const auto start = std::chrono::steady_clock::now();
    runScriptLine(ctx, line);
    const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    // Files are written and read whole (and synced): only computations poll.
    const bool fileVerb = line.rfind("save", 0) == 0 || line.rfind("open", 0) == 0 || line.rfind("draw", 0) == 0;
    if (!fileVerb) {
      EXPECT_LT(took, deadline + kStopSlack) << line << " did not stop when asked";
    }
    expectConsistent(ctx.ws, line);
    if (testing::Test::HasFatalFailure()) return;
    // Keep an algebra of the case's card at 0 and a small one at 1 for the
    // next commands, whatever the last one did to the store.
    if (ctx.ws.algebraCount() < 2) {
      fillRandom(ctx.ws, createAlgebra(ctx.ws, c.card), c.partial, rng);
      fillRandom(ctx.ws, createAlgebra(ctx.ws, 2), c.partial, rng);
    }
  }
}

TEST(EdgeSweep, EveryCommandOnEveryEdgeKeepsTheWorkspaceSound) {
  std::mt19937 rng(20261208);
  const char* signatures[] = {".", "+ -", "L", "L01", "- * 0", "+c .c - 0 1", "$"};
  for (const char* sig : signatures) {
    for (int32_t card : {0, 1, 2, 62, 63}) {
      for (bool partial : {false, true}) {
        SCOPED_TRACE(std::string("signature '") + sig + "', card " + std::to_string(card) +
                     (partial ? ", partial" : ""));
        runSweep({sig, card, partial}, rng);
        if (HasFatalFailure()) return;
      }
    }
  }
}

// Algebras of 3000 elements, where every long command must stop when asked.
// Two halves, so that the test runner runs them side by side.
#if defined(KEST_SANITIZED)
constexpr double kLargeDeadline = 0.3;  // the sanitizers slow every command down
#else
constexpr double kLargeDeadline = 0.5;
#endif

void runLargeSweep(std::initializer_list<const char*> signatures, unsigned seed) {
  std::mt19937 rng(seed);
  for (const char* sig : signatures) {
    for (bool partial : {false, true}) {
      SCOPED_TRACE(std::string("signature '") + sig + (partial ? "', partial" : "'"));
      runSweep({sig, 3000, partial}, rng, kLargeDeadline);
      if (testing::Test::HasFatalFailure()) return;
    }
  }
}

TEST(LargeSweepFirstSignatures, ThreeThousandElements) { runLargeSweep({"- * 0", "$", "."}, 7); }

TEST(LargeSweepLastSignature, ThreeThousandElements) { runLargeSweep({"+ - 0"}, 8); }

}  // namespace
}  // namespace kest
