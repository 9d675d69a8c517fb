#include "conditions/maltsev_conditions.h"

namespace kest {

const std::vector<ConditionInfo>& conditionTable() {
  static const std::vector<ConditionInfo> table{
      {Condition::kMaltsev, "maltsev", "&Maltsev term (congruence permutable)", 0, 0, 0},
      {Condition::kPermutable, "permutable", "&n-permutable...", 10, 1, 100},
      {Condition::kDistributive, "distributive", "Congruence &distributive (Jonsson terms)...", 10, 1, 100},
      {Condition::kModular, "modular", "Congruence m&odular (Gumm terms)...", 10, 2, 100},
      {Condition::kMajority, "majority", "Ma&jority term", 0, 0, 0},
      {Condition::kMinority, "minority", "M&inority term", 0, 0, 0},
      {Condition::kPixley, "pixley", "&Pixley term", 0, 0, 0},
      {Condition::kNearUnanimity, "nu", "N&ear-unanimity term...", 4, 3, 26},
      {Condition::kWeakNearUnanimity, "wnu", "&Weak near-unanimity term...", 3, 2, 26},
      {Condition::kTaylor, "taylor", "&Taylor term (Siggers)", 0, 0, 0},
      {Condition::kSemilattice, "semilattice", "&Semilattice term", 0, 0, 0},
      {Condition::kSdMeet, "sd-meet", "Congruence meet-semidistributi&ve", 0, 0, 0},
      {Condition::kAll, "all", "&All of them", 0, 0, 0},
  };
  return table;
}

const ConditionInfo* findCondition(const std::string& word) {
  for (const ConditionInfo& info : conditionTable()) {
    if (word == info.word) return &info;
  }
  return nullptr;
}

const ConditionInfo& conditionInfo(Condition c) { return conditionTable()[static_cast<size_t>(c)]; }

}  // namespace kest
