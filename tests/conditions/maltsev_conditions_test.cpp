// Maltsev conditions on algebras whose answers are known, each printed
// term checked by parsing the printed text (in both notations) and
// evaluating it with an evaluator of this test's own on every assignment.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "commands/condition_commands.h"
#include "core/algebra_store.h"
#include "terms/term_parse.h"
#include "tests/oracle/random_inputs.h"
#include "tests/oracle/reference_conditions.h"
#include "tests/oracle/sample_algebras.h"
#include "tests/oracle/test_progress.h"

namespace kest {
namespace {

// The printed terms, parsed back, with the letters of their arguments.
struct Printed {
  std::map<std::string, int32_t> node;
  std::map<std::string, std::string> letters;
};

Printed parsePrinted(Workspace& ws, const std::vector<std::string>& lines) {
  Printed p;
  for (const std::string& line : lines) {
    const size_t open = line.find('(');
    const size_t eq = line.find(") = ");
    if (open == std::string::npos || eq == std::string::npos || line.compare(0, 4, "Why:") == 0) continue;
    const std::string name = line.substr(0, open);
    if (name.find(' ') != std::string::npos) continue;
    std::string letters;
    for (size_t i = open + 1; i < eq; i += 2) letters += line[i];
    const int32_t node = parseTerm(ws, line.substr(eq + 4));
    EXPECT_GE(node, 0) << "does not parse: " << line;
    p.node[name] = node;
    p.letters[name] = letters;
  }
  return p;
}

// The value of a parsed term at the arguments, by its own walk over the nodes.
int32_t evaluate(const Workspace& ws, int32_t k, int32_t node, const std::map<char, int32_t>& value) {
  const Algebra& a = ws.algebra(k);
  const TableLayout lay = ws.layout(k);
  if (node < kVariableCount) return value.at(static_cast<char>('a' + node));
  if (node < ws.terms.firstCompoundNode) return a.table[static_cast<size_t>(lay.constant(node - kVariableCount))];
  const int32_t op = ws.terms.nodeOp[static_cast<size_t>(node)];
  const int32_t l = evaluate(ws, k, ws.terms.nodeLeft[static_cast<size_t>(node)], value);
  if (op < ws.sig.binaryCount) {
    const int32_t r = evaluate(ws, k, ws.terms.nodeRight[static_cast<size_t>(node)], value);
    return a.table[static_cast<size_t>(lay.binary(op, l, r))];
  }
  return a.table[static_cast<size_t>(lay.unary(op, l))];
}

// Term name applied to arguments.
struct Terms {
  const Workspace& ws;
  int32_t k;
  const Printed& p;
  bool has(const std::string& name) const { return p.node.count(name) > 0; }
  int32_t operator()(const std::string& name, const std::vector<int32_t>& args) const {
    std::map<char, int32_t> value;
    const std::string& letters = p.letters.at(name);
    for (size_t i = 0; i < args.size() && i < letters.size(); ++i) value[letters[i]] = args[i];
    return evaluate(ws, k, p.node.at(name), value);
  }
};

using oracle::always;
using oracle::yAt;

// The chain conditions: Hagemann-Mitschke, Jonsson and Gumm terms.
bool chainHolds(Condition c, int32_t least, const Terms& t, int32_t n) {
  auto chainTerm = [&](const char* letter, int32_t i, int32_t x, int32_t y, int32_t z, int32_t last, bool ends) {
    if (ends && i == 0) return x;
    if (ends && i == last) return z;
    return t(letter + std::to_string(i), {x, y, z});
  };
  switch (c) {
    case Condition::kPermutable:
      return always(n, [&](int32_t x, int32_t y, int32_t) {
        for (int32_t i = 0; i < least; ++i) {
          if (chainTerm("p", i, x, x, y, least, true) != chainTerm("p", i + 1, x, y, y, least, true)) return false;
        }
        return true;
      });
    case Condition::kDistributive:
      return t("d0", {0, 1, 1}) == 0 && always(n, [&](int32_t x, int32_t y, int32_t z) {
               if (t("d0", {x, y, z}) != x || t("d" + std::to_string(least), {x, y, z}) != z) return false;
               for (int32_t i = 0; i <= least; ++i) {
                 const std::string di = "d" + std::to_string(i);
                 if (t(di, {x, y, x}) != x) return false;
                 if (i == least) continue;
                 const std::string dn = "d" + std::to_string(i + 1);
                 if (i % 2 == 0 ? t(di, {x, x, y}) != t(dn, {x, x, y}) : t(di, {x, y, y}) != t(dn, {x, y, y}))
                   return false;
               }
               return true;
             });
    case Condition::kModular:
      return always(n, [&](int32_t x, int32_t y, int32_t z) {
        if (t("m0", {x, y, z}) != x || t("q", {x, x, y}) != y) return false;
        const std::string last = "m" + std::to_string(least);
        if (t(last, {x, y, y}) != t("q", {x, y, y})) return false;
        for (int32_t i = 0; i <= least; ++i) {
          const std::string mi = "m" + std::to_string(i);
          if (t(mi, {x, y, x}) != x) return false;
          if (i == least) continue;
          const std::string mn = "m" + std::to_string(i + 1);
          if (i % 2 == 0 ? t(mi, {x, x, y}) != t(mn, {x, x, y}) : t(mi, {x, y, y}) != t(mn, {x, y, y})) return false;
        }
        return true;
      });
    default: return false;
  }
}

// Whether the printed terms satisfy the identities of the condition.
bool identitiesHold(Condition c, int32_t k, int32_t least, const Terms& t, int32_t n) {
  switch (c) {
    case Condition::kMaltsev:
      return always(n, [&](int32_t x, int32_t y, int32_t) { return t("p", {x, y, y}) == x && t("p", {x, x, y}) == y; });
    case Condition::kPermutable:
    case Condition::kDistributive:
    case Condition::kModular: return chainHolds(c, least, t, n);
    case Condition::kMajority:
      return always(n, [&](int32_t x, int32_t y, int32_t) {
        return t("m", {x, x, y}) == x && t("m", {x, y, x}) == x && t("m", {y, x, x}) == x;
      });
    case Condition::kMinority:
      return always(n, [&](int32_t x, int32_t y, int32_t) {
        return t("m", {x, x, y}) == y && t("m", {x, y, x}) == y && t("m", {y, x, x}) == y;
      });
    case Condition::kPixley:
      return always(n, [&](int32_t x, int32_t y, int32_t) {
        return t("p", {x, y, y}) == x && t("p", {x, x, y}) == y && t("p", {x, y, x}) == x;
      });
    case Condition::kNearUnanimity:
      return always(n, [&](int32_t x, int32_t y, int32_t) {
        for (int32_t i = 0; i < k; ++i) {
          if (t("n", yAt(k, i, x, y)) != x) return false;
        }
        return true;
      });
    case Condition::kWeakNearUnanimity:
      return always(n, [&](int32_t x, int32_t y, int32_t) {
        if (t("w", std::vector<int32_t>(static_cast<size_t>(k), x)) != x) return false;
        for (int32_t i = 1; i < k; ++i) {
          if (t("w", yAt(k, i, x, y)) != t("w", yAt(k, 0, x, y))) return false;
        }
        return true;
      });
    case Condition::kTaylor:
      return always(n, [&](int32_t x, int32_t y, int32_t z) {
        return t("s", {x, x, x, x}) == x && t("s", {x, y, x, z}) == t("s", {y, x, z, y});
      });
    case Condition::kSemilattice:
      return always(n, [&](int32_t x, int32_t y, int32_t z) {
        return t("t", {x, x}) == x && t("t", {x, y}) == t("t", {y, x}) &&
               t("t", {t("t", {x, y}), z}) == t("t", {x, t("t", {y, z})});
      });
    case Condition::kSdMeet:
      return always(n, [&](int32_t x, int32_t y, int32_t) {
        return t("w", {x, x, x}) == x && t("v", {x, x, x, x}) == x && t("w", {y, x, x}) == t("w", {x, y, x}) &&
               t("w", {x, y, x}) == t("w", {x, x, y}) && t("v", {y, x, x, x}) == t("v", {x, y, x, x}) &&
               t("v", {x, y, x, x}) == t("v", {x, x, y, x}) && t("v", {x, x, y, x}) == t("v", {x, x, x, y}) &&
               t("w", {y, x, x}) == t("v", {y, x, x, x});
      });
    case Condition::kAll: break;
  }
  return false;
}

// Runs one condition, checks the printed terms in both notations, and
// returns the verdict line.
std::string check(Workspace& ws, int32_t k, Condition c, int32_t bound = 0) {
  ws.redMarked = k;
  std::string verdict;
  for (int32_t polish : {0, 1}) {
    ws.polishNotation = polish;
    conditionReport(ws, k, c, bound ? bound : conditionInfo(c).defaultK, noProgress());
    const std::vector<std::string> lines = ws.messages.lines();
    verdict = lines.front();
    const bool holds = verdict.find(" no ") == std::string::npos && verdict.find(" not ") == std::string::npos &&
                       verdict.find("Could not") == std::string::npos;
    if (!holds) {
      EXPECT_TRUE(lines.size() >= 2 && lines[1].compare(0, 5, "Why: ") == 0) << verdict;
      continue;
    }
    const ConditionResult r = decideCondition(ws.view(k), c, bound ? bound : conditionInfo(c).defaultK, noProgress());
    const Printed p = parsePrinted(ws, lines);
    EXPECT_TRUE(identitiesHold(c, r.k, r.least, Terms{ws, k, p}, ws.algebra(k).card))
        << verdict << (polish ? " (Polish)" : " (infix)") << "\n"
        << lines.back();
  }
  ws.polishNotation = 0;
  return verdict;
}

int32_t tableAlgebra(Workspace& ws, int32_t n, const std::function<int32_t(int32_t, int32_t)>& f,
                     const std::function<int32_t(int32_t, int32_t)>& g = nullptr) {
  const int32_t k = createAlgebra(ws, n);
  for (int32_t x = 0; x < n; ++x) {
    for (int32_t y = 0; y < n; ++y) {
      ws.algebra(k).table[static_cast<size_t>(x * n + y)] = f(x, y);
      if (g) ws.algebra(k).table[static_cast<size_t>(n * n + x * n + y)] = g(x, y);
    }
  }
  return k;
}

TEST(MaltsevConditions, LatticesAndSemilattices) {
  Workspace ws = oracle::workspaceWithSignature("L");
  const int32_t two = oracle::addChainProductLattice(ws, {2});
  EXPECT_EQ(check(ws, two, Condition::kMajority), "A0 has a majority term");
  EXPECT_EQ(check(ws, two, Condition::kDistributive),
            "A0 generates a congruence distributive variety: 3 Jonsson terms");
  EXPECT_EQ(check(ws, two, Condition::kNearUnanimity, 4), "A0 has a 4-ary near-unanimity term");
  // Kept up to rearranging six arguments, and beyond (kept whole).
  EXPECT_EQ(check(ws, two, Condition::kNearUnanimity, 6), "A0 has a 6-ary near-unanimity term");
  EXPECT_EQ(check(ws, two, Condition::kWeakNearUnanimity, 5), "A0 has a 5-ary weak near-unanimity term");
  EXPECT_EQ(check(ws, two, Condition::kNearUnanimity, 7), "A0 has a 7-ary near-unanimity term");
  EXPECT_EQ(check(ws, two, Condition::kMaltsev), "A0 has no Maltsev term");
  // M3 and N5 by their joins and meets: 0 bottom, 4 top.
  for (const std::vector<std::pair<int32_t, int32_t>>& below :
       {std::vector<std::pair<int32_t, int32_t>>{}, std::vector<std::pair<int32_t, int32_t>>{{1, 2}}}) {
    auto leq = [&](int32_t x, int32_t y) {
      if (x == y || x == 0 || y == 4) return true;
      for (auto [a, b] : below) {
        if (a == x && b == y) return true;
      }
      return false;
    };
    auto bound = [&](bool join) {
      return [&, join](int32_t x, int32_t y) {
        for (int32_t z = 0; z < 5; ++z) {
          bool best = join ? leq(x, z) && leq(y, z) : leq(z, x) && leq(z, y);
          for (int32_t w = 0; w < 5 && best; ++w)
            best = join ? !(leq(x, w) && leq(y, w)) || leq(z, w) : !(leq(w, x) && leq(w, y)) || leq(w, z);
          if (best) return z;
        }
        return -1;
      };
    };
    const int32_t k = tableAlgebra(ws, 5, bound(true), bound(false));
    EXPECT_EQ(check(ws, k, Condition::kMajority), "A" + std::to_string(k) + " has a majority term");
    EXPECT_EQ(check(ws, k, Condition::kMaltsev), "A" + std::to_string(k) + " has no Maltsev term");
  }
  Workspace semi = oracle::workspaceWithSignature(".");
  const int32_t s = oracle::addSemilatticePower(semi, 1);
  EXPECT_EQ(check(semi, s, Condition::kSemilattice), "A0 has a semilattice term");
  EXPECT_EQ(check(semi, s, Condition::kTaylor), "A0 has a Taylor term");
  EXPECT_EQ(check(semi, s, Condition::kModular), "A0 does not generate a congruence modular variety");
  EXPECT_EQ(check(semi, s, Condition::kMaltsev), "A0 has no Maltsev term");
  EXPECT_EQ(check(semi, s, Condition::kSdMeet), "A0 generates a congruence meet-semidistributive variety");
}

TEST(MaltsevConditions, GroupsAndQuasigroups) {
  Workspace ws = oracle::workspaceWithSignature("+");
  const int32_t z2 = oracle::addCyclicSum(ws, 2);
  EXPECT_EQ(check(ws, z2, Condition::kMaltsev), "A0 has a Maltsev term");
  EXPECT_EQ(check(ws, z2, Condition::kMinority), "A0 has a minority term");
  EXPECT_EQ(check(ws, z2, Condition::kDistributive), "A0 does not generate a congruence distributive variety");
  const int32_t z3 = oracle::addCyclicSum(ws, 3);
  EXPECT_EQ(check(ws, z3, Condition::kMaltsev), "A1 has a Maltsev term");
  EXPECT_EQ(check(ws, z3, Condition::kMinority), "A1 has no minority term");
  EXPECT_EQ(check(ws, z3, Condition::kTaylor), "A1 has a Taylor term");
  EXPECT_EQ(check(ws, z3, Condition::kModular), "A1 generates a congruence modular variety: 2 Gumm terms");
  Workspace q = oracle::workspaceWithSignature(".");
  const int32_t quasigroup = tableAlgebra(q, 3, [](int32_t x, int32_t y) { return (2 * x + 2 * y) % 3; });
  EXPECT_EQ(check(q, quasigroup, Condition::kMaltsev), "A0 has a Maltsev term");
  // S3 as permutations of three points, composed.
  const int32_t perms[6][3] = {{0, 1, 2}, {1, 0, 2}, {0, 2, 1}, {2, 1, 0}, {1, 2, 0}, {2, 0, 1}};
  auto index = [&](const int32_t* p) {
    for (int32_t i = 0; i < 6; ++i) {
      if (perms[i][0] == p[0] && perms[i][1] == p[1] && perms[i][2] == p[2]) return i;
    }
    return -1;
  };
  const int32_t s3 = tableAlgebra(q, 6, [&](int32_t x, int32_t y) {
    int32_t p[3];
    for (int32_t i = 0; i < 3; ++i) p[i] = perms[x][perms[y][i]];
    return index(p);
  });
  EXPECT_EQ(check(q, s3, Condition::kMaltsev), "A1 has a Maltsev term");
  EXPECT_EQ(check(q, s3, Condition::kDistributive), "A1 does not generate a congruence distributive variety");
  EXPECT_EQ(check(q, s3, Condition::kPermutable), "A1 is 2-permutable");
}

TEST(MaltsevConditions, BooleanImplicationAndRockPaperScissors) {
  Workspace b = oracle::workspaceWithSignature("+ci .ci -");
  const int32_t k = tableAlgebra(
      b, 2, [](int32_t x, int32_t y) { return x | y; }, [](int32_t x, int32_t y) { return x & y; });
  b.algebra(k).table[8] = 1;
  b.algebra(k).table[9] = 0;
  EXPECT_EQ(check(b, k, Condition::kPixley), "A0 has a Pixley term");
  EXPECT_EQ(check(b, k, Condition::kMajority), "A0 has a majority term");
  EXPECT_EQ(check(b, k, Condition::kMinority), "A0 has a minority term");
  EXPECT_EQ(check(b, k, Condition::kNearUnanimity, 4), "A0 has a 4-ary near-unanimity term");
  EXPECT_EQ(check(b, k, Condition::kDistributive), "A0 generates a congruence distributive variety: 3 Jonsson terms");
  // x -> y on {0, 1}.
  Workspace i = oracle::workspaceWithSignature(">");
  const int32_t imp = tableAlgebra(i, 2, [](int32_t x, int32_t y) { return (1 - x) | y; });
  EXPECT_EQ(check(i, imp, Condition::kDistributive), "A0 generates a congruence distributive variety: 4 Jonsson terms");
  EXPECT_EQ(check(i, imp, Condition::kPermutable), "A0 is 3-permutable");
  EXPECT_EQ(check(i, imp, Condition::kPermutable, 2), "A0 is not n-permutable for n <= 2");
  EXPECT_EQ(check(i, imp, Condition::kMajority), "A0 has no majority term");
  // Rock, paper, scissors: the winner of two.
  Workspace r = oracle::workspaceWithSignature(".");
  const int32_t rps = tableAlgebra(r, 3, [](int32_t x, int32_t y) { return x == y ? x : (x + 1) % 3 == y ? y : x; });
  EXPECT_EQ(check(r, rps, Condition::kTaylor), "A0 has a Taylor term");
  for (Condition c :
       {Condition::kMaltsev, Condition::kMajority, Condition::kMinority, Condition::kPixley, Condition::kSemilattice}) {
    EXPECT_NE(check(r, rps, c).find(" no "), std::string::npos) << conditionInfo(c).word;
  }
}

// Polin's algebra: two copies of the two-element Boolean algebra, 0 < 1
// in the lower copy and 2 < 3 in the upper one, the lower mapped onto the
// upper identically. The meet of elements of different copies is taken in
// the upper copy, the complement - stays within a copy, and x* is the top
// of the other copy. Its variety satisfies a congruence identity without
// being congruence modular.
TEST(MaltsevConditions, PolinsAlgebraIsFourPermutableAndNotModular) {
  Workspace ws = oracle::workspaceWithSignature(". - *");
  const int32_t k = tableAlgebra(ws, 4, [](int32_t x, int32_t y) {
    const int32_t upper = (x | y) & 2;
    return upper | (x & y & 1);
  });
  for (int32_t x = 0; x < 4; ++x) {
    ws.algebra(k).table[static_cast<size_t>(16 + x)] = x < 2 ? 3 : 1;  // *
    ws.algebra(k).table[static_cast<size_t>(20 + x)] = x ^ 1;          // -
  }
  EXPECT_EQ(check(ws, k, Condition::kPermutable), "A0 is 4-permutable");
  EXPECT_EQ(check(ws, k, Condition::kPermutable, 3), "A0 is not n-permutable for n <= 3");
  EXPECT_EQ(check(ws, k, Condition::kModular), "A0 does not generate a congruence modular variety");
  EXPECT_EQ(check(ws, k, Condition::kMaltsev), "A0 has no Maltsev term");
  EXPECT_EQ(check(ws, k, Condition::kSdMeet), "A0 generates a congruence meet-semidistributive variety");
  // Not distributive at the elements a, d: the values of Jonsson terms
  // there would form a chain in a subalgebra of A^3 (26 tuples, where
  // F(2)^3 has 1,164). And so no near-unanimity term, said so rather than
  // proved by closing 6,436 profiles in F(2)^4.
  EXPECT_EQ(check(ws, k, Condition::kDistributive), "A0 does not generate a congruence distributive variety");
  EXPECT_EQ(ws.messages.lines().at(1),
            "Why: the subalgebra of A0^3 generated by (a,a,a), (d,a,d), (a,d,d) has 26 elements and holds no chain "
            "from (a,a,a) to (a,d,d)");
  // Majority and Pixley terms would make it distributive too, and a
  // minority term would be a Maltsev term.
  EXPECT_EQ(check(ws, k, Condition::kMajority), "A0 has no majority term");
  EXPECT_EQ(ws.messages.lines().at(1).substr(0, 90),
            "Why: a majority term would make the variety congruence distributive, and it is not: the su");
  EXPECT_EQ(check(ws, k, Condition::kMinority), "A0 has no minority term");
  EXPECT_EQ(ws.messages.lines().at(1),
            "Why: a minority term is a Maltsev term, and there is none: the subalgebra of A0^2 generated by (a,a), "
            "(d,a), (d,d) has 12 elements and holds no (a,d)");
  EXPECT_EQ(check(ws, k, Condition::kNearUnanimity, 4), "A0 has no 4-ary near-unanimity term");
  EXPECT_EQ(ws.messages.lines().at(1),
            "Why: a near-unanimity term would make the variety congruence distributive, and it is not: the "
            "subalgebra of A0^3 generated by (a,a,a), (d,a,d), (a,d,d) has 26 elements and holds no chain from "
            "(a,a,a) to (a,d,d)");
}

}  // namespace
}  // namespace kest
