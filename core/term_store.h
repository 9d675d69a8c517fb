// Storage of terms and formulas. Nodes 0..25 are the variables a..z, nodes
// 26..25+NC the constants in operation order, and every later node is
// compound: an operation index with the node ids of its arguments (the right
// one is unused for unary operations). Equal terms share one node id.
// Formulas live in a pool that only grows; the formula list names some of
// them as E0, E1, ...
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "core/limits.h"

namespace kest {

// The kinds of nodes: a variable (a..z), a constant, or compound.
inline constexpr bool isVariableNode(int32_t node) { return node >= 0 && node < kVariableCount; }
// The node of constant c (0 for the first constant of the signature).
inline constexpr int32_t constantNode(int32_t c) { return kVariableCount + c; }
// The constant of a constant node.
inline constexpr int32_t constantOfNode(int32_t node) { return node - kVariableCount; }

enum FormulaKind : int32_t {
  kEquation = 0,
  kConjunction = 1,
  kDisjunction = 2,
  kImplication = 3,
  kEquivalence = 4,
  kNegation = 5,
};

struct TermStore {
  std::vector<int32_t> nodeOp;
  std::vector<int32_t> nodeLeft;
  std::vector<int32_t> nodeRight;
  int32_t firstCompoundNode = kVariableCount;
  // Finds compound nodes by (op, left, right) in constant time; keeps the
  // first node made for each key, so lookups agree with a linear search.
  std::unordered_map<uint64_t, int32_t> nodeIndex;

  std::vector<int32_t> namedTerms;

  std::vector<int32_t> formulaKind;
  std::vector<int32_t> formulaA;
  std::vector<int32_t> formulaB;
  std::vector<int32_t> formulaList;

  int32_t nodeCount() const { return static_cast<int32_t>(nodeOp.size()); }
  int32_t namedTermCount() const { return static_cast<int32_t>(namedTerms.size()); }
  int32_t formulaListCount() const { return static_cast<int32_t>(formulaList.size()); }
  int32_t formulaPoolCount() const { return static_cast<int32_t>(formulaKind.size()); }
  bool isConstantNode(int32_t node) const { return node >= kVariableCount && node < firstCompoundNode; }
  bool isCompoundNode(int32_t node) const { return node >= firstCompoundNode; }

  // Empties the node table and creates the atomic nodes: the variables and
  // the constants.
  void resetNodes(int32_t constantCount);
  // Empties the named terms, the formula pool and the formula list.
  void clearTermsAndFormulas();
};

}  // namespace kest
