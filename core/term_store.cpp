#include "core/term_store.h"

namespace kest {

void TermStore::resetNodes(int32_t constantCount) {
  const int32_t atoms = constantNode(constantCount);
  nodeOp.resize(static_cast<size_t>(atoms));
  nodeLeft.resize(static_cast<size_t>(atoms));
  nodeRight.resize(static_cast<size_t>(atoms));
  for (int32_t i = 0; i < atoms; ++i) nodeOp[i] = nodeLeft[i] = nodeRight[i] = i;
  firstCompoundNode = atoms;
  nodeIndex.clear();
}

void TermStore::clearTermsAndFormulas() {
  namedTerms.clear();
  formulaKind.clear();
  formulaA.clear();
  formulaB.clear();
  formulaList.clear();
}

}  // namespace kest
