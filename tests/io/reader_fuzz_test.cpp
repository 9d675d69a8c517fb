// Seeded random mutations of sound files: the readers must never crash,
// read out of bounds or leave an unsound workspace, whatever they meet.
#include <gtest/gtest.h>

#include <random>

#include "core/algebra_store.h"
#include "io/algebra_file.h"
#include "io/workspace_file.h"
#include "terms/formulas.h"
#include "terms/satisfaction.h"
#include "terms/term_print.h"
#include "tests/oracle/random_inputs.h"

namespace kest {
namespace {

std::string mutate(std::string text, std::mt19937& rng) {
  const int edits = 1 + static_cast<int>(rng() % 4);
  static const std::string alphabet = "0123456789 -.+abcz\r\n=&V!()";
  for (int e = 0; e < edits && !text.empty(); ++e) {
    const size_t at = rng() % text.size();
    switch (rng() % 4) {
      case 0: text[at] = alphabet[rng() % alphabet.size()]; break;
      case 1: text.erase(at, 1 + rng() % 5); break;
      case 2: text.insert(at, 1, alphabet[rng() % alphabet.size()]); break;
      default: text.resize(at); break;
    }
  }
  return text;
}

// Whatever was loaded can be shown and checked without fault.
void useEverything(Workspace& ws) {
  listingLines(ws);
  for (int32_t k = 0; k < ws.algebraCount(); ++k) {
    for (int32_t v : ws.algebra(k).table) ASSERT_TRUE(v >= -1 && v < ws.algebra(k).card);
    if (ws.algebra(k).card <= 4) checkListedFormulas(ws, k, noProgress());
  }
}

TEST(ReaderFuzz, WorkspaceFiles) {
  std::mt19937 rng(61);
  Workspace source = oracle::workspaceWithSignature(". +c - 0");
  addNamedTerm(source, oracle::randomTerm(source, 2, 3, rng));
  for (int f = 0; f < 3; ++f) oracle::randomFormula(source, 2, 2, rng);
  for (int a = 0; a < 3; ++a) oracle::addRandomAlgebra(source, 3, 0.2, rng);
  const std::string text = workspaceFileText(source);
  for (int round = 0; round < 4000; ++round) {
    Workspace ws;
    loadWorkspaceText(ws, mutate(text, rng));
    useEverything(ws);
  }
}

TEST(ReaderFuzz, SingleAlgebraFiles) {
  std::mt19937 rng(62);
  Workspace ws = oracle::workspaceWithSignature(". +c - 0");
  const int32_t k = oracle::addRandomAlgebra(ws, 4, 0.2, rng);
  const std::string text = singleAlgebraText(ws, k);
  for (int round = 0; round < 4000; ++round) {
    appendAlgebraText(ws, mutate(text, rng));
    if (ws.algebraCount() > 900) {
      while (ws.algebraCount() > 1) deleteAlgebra(ws, ws.algebraCount() - 1);
    }
  }
  useEverything(ws);
}

}  // namespace
}  // namespace kest
