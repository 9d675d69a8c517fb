#include "io/workspace_file.h"

#include <gtest/gtest.h>

#include <random>

#include "core/algebra_store.h"
#include "terms/formulas.h"
#include "terms/term_parse.h"
#include "terms/term_print.h"
#include "tests/oracle/random_inputs.h"

namespace kest {
namespace {

using oracle::workspaceWithSignature;

void equation(Workspace& ws, const char* text) { ASSERT_TRUE(oracle::addEquationText(ws, text)) << text; }

TEST(WorkspaceFile, TheNineLineExampleByteForByte) {
  Workspace ws = workspaceWithSignature("+ .");
  addNamedTerm(ws, parseTermInfix(ws, "a+b"));
  equation(ws, "a+b=b+a");
  createAlgebra(ws, 2);
  ws.algebra(0).table = {0, 1, 1, 1, 0, 0, 0, 1};
  EXPECT_EQ(workspaceFileText(ws), "2 1 1 1\r\n+.\r\n+ab\r\n+ab=+ba\r\n2\r\nab\r\nbb\r\naa\r\nab\r\n");
}

TEST(WorkspaceFile, FlagsHiddenAlgebrasConstantsAndUndefined) {
  Workspace ws = workspaceWithSignature(".ic -");
  createAlgebra(ws, 70);  // hidden: not written
  createAlgebra(ws, 1);
  const std::string text = workspaceFileText(ws);
  EXPECT_EQ(text, "2 0 0 1\r\n.ci-\r\n1\r\na\r\n.\r\n");
}

TEST(WorkspaceFile, RoundTripKeepsTermsFormulasAndTables) {
  std::mt19937 rng(41);
  for (int round = 0; round < 100; ++round) {
    Workspace ws = workspaceWithSignature(". +c - 0 1");
    for (int t = 0; t < 3; ++t) addNamedTerm(ws, oracle::randomTerm(ws, 3, 3, rng));
    for (int f = 0; f < 4; ++f) oracle::randomFormula(ws, 3, 2, rng);
    for (int a = 0; a < 3; ++a) oracle::addRandomAlgebra(ws, 1 + static_cast<int32_t>(rng() % 5), 0.2, rng);
    ws.polishNotation = 1;
    const std::string text = workspaceFileText(ws);
    Workspace loaded;
    ASSERT_EQ(loadWorkspaceText(loaded, text), LoadStatus::kLoaded) << text;
    EXPECT_EQ(loaded.polishNotation, 0);
    EXPECT_EQ(listingLines(loaded), (ws.polishNotation = 0, listingLines(ws)));
    ASSERT_EQ(loaded.algebraCount(), 3);
    for (int a = 0; a < 3; ++a) EXPECT_EQ(loaded.algebra(a).table, ws.algebra(a).table);
    EXPECT_EQ(workspaceFileText(loaded), text);
    EXPECT_EQ(loaded.redMarked, 0);
  }
}

TEST(WorkspaceFile, BlankLinesAndMissingLastLineBreak) {
  Workspace ws = workspaceWithSignature(".");
  ASSERT_EQ(loadWorkspaceText(ws, "1 0 1 1\n\n.\r\n\r\n.xy=.yx\r\n2\n\nab\nb."), LoadStatus::kLoaded);
  EXPECT_EQ(ws.algebra(0).table, (std::vector<int32_t>{0, 1, 1, -1}));
  EXPECT_EQ(ws.terms.formulaListCount(), 1);
}

TEST(WorkspaceFile, UnsoundFilesChangeNothing) {
  for (const char* bad : {
           "1 0 0",                                      // three numbers
           "1 0 0 0 ",                                   // a trailing blank is a fifth number
           "2 0 0 0\r\n.\r\n",                           // one symbol, two announced
           "1 1 0 0\r\n.\r\n.x",                         // a term that does not parse
           "1 0 1 0\r\n.\r\nxy",                         // a formula without "="
           "1 0 0 1\r\n.\r\n3\r\nabc\r\nab\r\nabc\r\n",  // a short row
           "1 0 0 2\r\n.\r\n1\r\na\r\n",                 // fewer blocks than announced
           "1 0 0 1\r\n.\r\n-4\r\n",                     // a negative card
           "1 0 0 1\r\n.\r\n99999999\r\n",               // a card no table can hold
           "1 0 0 1001\r\n.\r\n",                        // more algebras than the store holds
           "",
       }) {
    Workspace ws = workspaceWithSignature("L");
    createAlgebra(ws, 2);
    ws.messages.setMessage("kept");
    EXPECT_EQ(loadWorkspaceText(ws, bad), LoadStatus::kRejected) << bad;
    EXPECT_EQ(ws.algebraCount(), 1);
    EXPECT_EQ(ws.sig.latticeSignature, 1);
    EXPECT_EQ(ws.messages.count(), 1);
  }
}

// A 'z' in a 3-element table used to load as an undefined entry; a card
// of two billion elements was accepted when no table needed rows.
TEST(WorkspaceFile, RefusalsSayWhyAndWhere) {
  const std::pair<const char*, const char*> cases[] = {
      {"1 0 0 1\r\n.\r\n3\r\nabc\r\nabz\r\nabc\r\n", "line 5: 'z' is not an element of a 3-element algebra"},
      {"1 0 0 1\r\n.\r\n3\r\nabc\r\n\r\nab?\r\nabc\r\n", "line 6: '?' is not an element of a 3-element algebra"},
      {"1 0 0 1\r\n-\r\n2147483647\r\n", "line 3: '2147483647' is not a number of elements from 0 to 16777216"},
      {"1 0 0 1\r\n-\r\n9000000\r\n", "line 3: the file is too short for 9000000 elements"},
      {"1 0 0 1\r\n.\r\n3\r\nabc\r\nab\r\n", "line 5: expected 3 entries, found 2"},
      {"1 1 0 0\r\n.\r\n.x", "line 3: not a term of the signature"},
      {"2 0 0 0\r\n.\r\n", "line 2: the signature has 1 symbols, the header says 2"},
  };
  for (const auto& [text, reason] : cases) {
    Workspace ws = workspaceWithSignature("L");
    std::string why;
    EXPECT_EQ(loadWorkspaceText(ws, text, &why), LoadStatus::kRejected) << text;
    EXPECT_EQ(why, reason);
    EXPECT_EQ(ws.sig.latticeSignature, 1);
  }
}

TEST(WorkspaceFile, CompoundFormulasLoadBackAsTheyWere) {
  Workspace ws = workspaceWithSignature(".");
  equation(ws, "xy=xz");
  equation(ws, "y=z");
  addImplication(ws, 0, 1);
  addConjunction(ws, {0, 1, 2});
  addNegation(ws, 3);
  addDisjunction(ws, {4, 0});
  addEquivalence(ws, 4, 5);
  Workspace loaded;
  ASSERT_EQ(loadWorkspaceText(loaded, workspaceFileText(ws)), LoadStatus::kLoaded);
  EXPECT_EQ(listingLines(loaded), listingLines(ws));
  EXPECT_EQ(loaded.terms.formulaKind[static_cast<size_t>(loaded.terms.formulaList[6])], kEquivalence);
}

}  // namespace
}  // namespace kest

namespace kest {
namespace {

TEST(WorkspaceFile, EmptyAlgebrasRoundTrip) {
  Workspace ws = oracle::workspaceWithSignature(".c - 0");
  createAlgebra(ws, 0);
  createAlgebra(ws, 1);
  ws.algebra(1).table = {0, 0, 0};
  Workspace loaded;
  ASSERT_EQ(loadWorkspaceText(loaded, workspaceFileText(ws)), LoadStatus::kLoaded);
  ASSERT_EQ(loaded.algebraCount(), 2);
  EXPECT_EQ(loaded.algebra(0).card, 0);
  EXPECT_EQ(loaded.algebra(1).table, (std::vector<int32_t>{0, 0, 0}));
}

}  // namespace
}  // namespace kest
