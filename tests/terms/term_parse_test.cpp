#include "terms/term_parse.h"

#include <gtest/gtest.h>

#include <random>

#include "terms/formulas.h"
#include "terms/term_nodes.h"
#include "terms/term_print.h"
#include "tests/oracle/random_inputs.h"

namespace kest {
namespace {

using oracle::workspaceWithSignature;

std::string infix(Workspace& ws, const char* text) {
  const int32_t t = parseTermInfix(ws, text);
  return t < 0 ? "<fail>" : printWholeTerm(ws, t, false);
}

TEST(InfixParse, PrecedenceAndGrouping) {
  Workspace ws = workspaceWithSignature(". + -");
  EXPECT_EQ(infix(ws, "x+yz"), "x+(yz)");
  EXPECT_EQ(infix(ws, "xy+z"), "(xy)+z");
  EXPECT_EQ(infix(ws, "xyz"), "(xy)z");
  EXPECT_EQ(infix(ws, "x+y.z"), "(x+y)z");
  EXPECT_EQ(infix(ws, "-xy"), "(-x)y");
  EXPECT_EQ(infix(ws, "-(xy)"), "-(xy)");
  EXPECT_EQ(infix(ws, "x-y"), "x(-y)");
  EXPECT_EQ(infix(ws, "--x"), "-(-x)");
  EXPECT_EQ(infix(ws, "x+-y"), "x+(-y)");
  EXPECT_EQ(infix(ws, "((x))"), "x");
  EXPECT_EQ(infix(ws, "(x+y)(z+x)"), "(x+y)(z+x)");
}

TEST(InfixParse, RejectsMalformedText) {
  Workspace ws = workspaceWithSignature(". + -");
  for (const char* bad : {"(x", "x)", "()", "+x", "x+", "", "x y", "x=y", "X", "x+(y", "x)(y", ")x(", "x-", "0",
                          "(x+)y", "x++y", "[x]"}) {
    EXPECT_EQ(parseTermInfix(ws, bad), -1) << bad;
  }
  Workspace noDot = workspaceWithSignature("+");
  EXPECT_EQ(parseTermInfix(noDot, "xy"), -1);
  EXPECT_EQ(parseTermInfix(noDot, "x.y"), -1);
  EXPECT_GE(parseTermInfix(noDot, "x+y"), 0);
}

TEST(PolishParse, SymbolsInFrontAndWholeText) {
  Workspace ws = workspaceWithSignature(". + -");
  const int32_t t = parseTermPolish(ws, ".x+yz");
  EXPECT_EQ(t, parseTermInfix(ws, "x(y+z)"));
  EXPECT_EQ(printTermPolish(ws, t), ".x+yz");
  EXPECT_EQ(parseTermPolish(ws, "+x"), -1);
  EXPECT_EQ(parseTermPolish(ws, "+xyz"), -1);
  EXPECT_EQ(parseTermPolish(ws, "(x)"), -1);
  EXPECT_EQ(parseTermPolish(ws, ""), -1);
  EXPECT_EQ(parseTermPolish(ws, "-x"), parseTermInfix(ws, "-x"));
}

TEST(MakeNode, IdempotentAndCommutativeNormalisation) {
  Workspace ws = workspaceWithSignature(".i +c");
  EXPECT_EQ(parseTermInfix(ws, "x.x"), 23);
  EXPECT_EQ(parseTermInfix(ws, "xx"), 23);
  const int32_t xy = parseTermInfix(ws, "x+y");
  EXPECT_EQ(parseTermInfix(ws, "y+x"), xy);
  EXPECT_EQ(infix(ws, "y+x"), "x+y");
  const int32_t count = ws.terms.nodeCount();
  EXPECT_EQ(parseTermInfix(ws, "(y+x)(x+y)"), xy);  // idempotent on equal children
  EXPECT_EQ(ws.terms.nodeCount(), count);
}

TEST(NamedTerms, LettersUpToTheCountAndTheLimit) {
  Workspace ws = workspaceWithSignature(".");
  addNamedTerm(ws, parseTermInfix(ws, "xy"));
  addNamedTerm(ws, parseTermInfix(ws, "z"));
  EXPECT_EQ(parseTermInfix(ws, "C"), -1);
  EXPECT_EQ(parseTermInfix(ws, "B"), 25);
  EXPECT_EQ(infix(ws, "AB"), "(xy)z");
  for (int i = 0; i < 30; ++i) addNamedTerm(ws, 0);
  EXPECT_EQ(ws.terms.namedTermCount(), 25);
  EXPECT_EQ(parseTermInfix(ws, "Y"), 0);
  EXPECT_EQ(parseTermInfix(ws, "Z"), -1);
}

TEST(Equations, SplitAtTheFirstEqualsSign) {
  Workspace ws = workspaceWithSignature(".");
  EXPECT_TRUE(parseEquation(ws, "xy=yx").ok());
  EXPECT_FALSE(parseEquation(ws, "x=y=z").ok());
  EXPECT_FALSE(parseEquation(ws, "=x").ok());
  EXPECT_FALSE(parseEquation(ws, "x=").ok());
  ws.polishNotation = 1;
  EXPECT_TRUE(parseEquation(ws, ".xy=.yx").ok());
  EXPECT_FALSE(parseEquation(ws, "xy=yx").ok());
}

TEST(Parsers, RandomBytesNeverBreakAnything) {
  Workspace ws = workspaceWithSignature(". + - 0");
  std::mt19937 rng(11);
  const std::string alphabet = "xyzab.+-0()AB=( )#";
  for (int round = 0; round < 20000; ++round) {
    std::string text(static_cast<size_t>(rng() % 12), ' ');
    for (char& c : text) c = round % 2 ? alphabet[rng() % alphabet.size()] : static_cast<char>(rng() % 256);
    const int32_t t = parseTermInfix(ws, text);
    if (t >= 0) {
      // Whatever parses prints back to text that parses to the same node.
      EXPECT_EQ(parseTermInfix(ws, printTermInfix(ws, t)), t) << text;
      EXPECT_EQ(parseTermPolish(ws, printTermPolish(ws, t)), t) << text;
    }
    parseTermPolish(ws, text);
  }
}

TEST(Parsers, PrintedRandomTermsParseBack) {
  Workspace ws = workspaceWithSignature(". +c / - * 0 1");
  std::mt19937 rng(5);
  for (int round = 0; round < 3000; ++round) {
    const int32_t t = oracle::randomTerm(ws, 4, static_cast<int32_t>(rng() % 8), rng);
    EXPECT_EQ(parseTermInfix(ws, printTermInfix(ws, t)), t);
    EXPECT_EQ(parseTermInfix(ws, printWholeTerm(ws, t, false)), t);
    EXPECT_EQ(parseTermPolish(ws, printTermPolish(ws, t)), t);
  }
}

}  // namespace
}  // namespace kest
