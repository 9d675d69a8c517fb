#include "terms/term_nodes.h"

#include <vector>

namespace kest {

namespace {

uint64_t nodeKey(int32_t op, int32_t left, int32_t right) {
  return (static_cast<uint64_t>(static_cast<uint32_t>(op)) << 56) ^
         (static_cast<uint64_t>(static_cast<uint32_t>(left)) << 28) ^
         static_cast<uint64_t>(static_cast<uint32_t>(right));
}

// Node ids stay below 2^28, so the key is exact; a node table of that size
// would not fit in memory anyway.
int32_t findNode(const TermStore& ts, int32_t op, int32_t left, int32_t right) {
  auto it = ts.nodeIndex.find(nodeKey(op, left, right));
  return it == ts.nodeIndex.end() ? -1 : it->second;
}

}  // namespace

int32_t makeNode(Workspace& ws, int32_t op, int32_t left, int32_t right) {
  const Signature& sig = ws.sig;
  TermStore& ts = ws.terms;
  const bool binary = sig.opArity[op] == 2;
  if (!binary) right = left;  // the right child of a unary node takes no part
  if (binary && sig.opIdempotent[op] && left == right) return left;
  int32_t found = findNode(ts, op, left, right);
  if (binary && sig.opCommutative[op]) {
    const int32_t mirror = findNode(ts, op, right, left);
    if (mirror >= 0 && (found < 0 || mirror < found)) found = mirror;
  }
  if (found >= 0) return found;
  const int32_t id = ts.nodeCount();
  ts.nodeOp.push_back(op);
  ts.nodeLeft.push_back(left);
  ts.nodeRight.push_back(right);
  ts.nodeIndex.emplace(nodeKey(op, left, right), id);
  return id;
}

int32_t occursIn(const Workspace& ws, int32_t t, int32_t u) {
  const TermStore& ts = ws.terms;
  std::vector<int32_t> stack{u};
  std::vector<char> seen(static_cast<size_t>(ts.nodeCount()), 0);
  while (!stack.empty()) {
    const int32_t v = stack.back();
    stack.pop_back();
    if (v == t) return 1;
    if (v < ts.firstCompoundNode || seen[static_cast<size_t>(v)]) continue;
    seen[static_cast<size_t>(v)] = 1;
    stack.push_back(ts.nodeLeft[static_cast<size_t>(v)]);
    if (ws.sig.opArity[ts.nodeOp[static_cast<size_t>(v)]] == 2) stack.push_back(ts.nodeRight[static_cast<size_t>(v)]);
  }
  return 0;
}

}  // namespace kest
