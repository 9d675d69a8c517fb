#include <cctype>
#include <optional>

#include "commands/command_ids.h"
#include "commands/condition_commands.h"
#include "commands/condition_texts.h"
#include "commands/executor.h"
#include "commands/panel_commands.h"
#include "core/algebra_store.h"

namespace kest {

namespace {

// The panels that ask for K, by condition.
constexpr std::pair<Condition, InputMode> kPanelModes[] = {
    {Condition::kPermutable, InputMode::kPermutableTest},
    {Condition::kDistributive, InputMode::kDistributiveTest},
    {Condition::kModular, InputMode::kModularTest},
    {Condition::kNearUnanimity, InputMode::kNearUnanimityTest},
    {Condition::kWeakNearUnanimity, InputMode::kWeakNearUnanimityTest},
};

std::vector<std::string> oneCondition(Workspace& ws, int32_t k, const ConditionResult& r) {
  std::vector<std::string> lines{verdictLine(r, k)};
  if (r.trivial) lines.push_back("Trivially: A" + std::to_string(k) + " has at most one element");
  if (const std::string why = reasonLine(ws, r, k); !why.empty()) lines.push_back(why);
  for (std::string& line : termLines(ws, r)) lines.push_back(std::move(line));
  return lines;
}

std::vector<std::string> allConditions(Workspace& ws, int32_t k, const std::vector<ConditionResult>& results) {
  std::vector<std::string> lines;
  for (const ConditionResult& r : results) lines.push_back(verdictLine(r, k));
  if (const std::string line = contradictionLine(contradictedImplications(results)); !line.empty())
    lines.push_back(line);
  for (const ConditionResult& r : results) {
    for (std::string& line : termLines(ws, r)) lines.push_back(std::move(line));
  }
  return lines;
}

template <Condition c>
void conditionMode(Workspace& ws, Progress& progress) {
  const std::optional<int64_t> bound = readTypedNumber(inputString(ws));
  if (bound && ws.validAlgebra(ws.redMarked)) {
    conditionReport(ws, ws.redMarked, c, static_cast<int32_t>(std::min<int64_t>(*bound, INT32_MAX)), progress);
  }
}

}  // namespace

std::optional<InputMode> conditionPanelMode(Condition c) {
  for (const auto& [condition, mode] : kPanelModes) {
    if (condition == c) return mode;
  }
  return std::nullopt;
}

void runConditionCommand(Workspace& ws, Condition c, Progress& progress) {
  if (!ws.validAlgebra(ws.redMarked)) return;
  if (const std::optional<InputMode> mode = conditionPanelMode(c)) {
    openPanel(ws, *mode);
    return;
  }
  conditionReport(ws, ws.redMarked, c, conditionInfo(c).defaultK, progress);
}

const ConditionInfo* conditionOfCommand(int32_t id) {
  const std::vector<ConditionInfo>& table = conditionTable();
  const int32_t at = id - kCommandFirstCondition;
  return at >= 0 && at < static_cast<int32_t>(table.size()) ? &table[static_cast<size_t>(at)] : nullptr;
}

void registerConditionModes(ModeTable& table) {
  table.add(InputMode::kPermutableTest, conditionMode<Condition::kPermutable>);
  table.add(InputMode::kDistributiveTest, conditionMode<Condition::kDistributive>);
  table.add(InputMode::kModularTest, conditionMode<Condition::kModular>);
  table.add(InputMode::kNearUnanimityTest, conditionMode<Condition::kNearUnanimity>);
  table.add(InputMode::kWeakNearUnanimityTest, conditionMode<Condition::kWeakNearUnanimity>);
}

void conditionReport(Workspace& ws, int32_t k, Condition c, int32_t bound, Progress& progress) {
  if (!ws.validAlgebra(k)) return;
  if (!isComplete(ws, k)) {
    ws.messages.setMessage("Works for complete algebras only");
    return;
  }
  const ConditionInfo& info = conditionInfo(c);
  if (info.defaultK == 0) bound = 0;
  if (info.defaultK > 0 && (bound < info.leastK || bound > info.mostK)) {
    ws.messages.setMessage("Could not decide: K must be from " + std::to_string(info.leastK) + " to " +
                           std::to_string(info.mostK));
    return;
  }
  progress.setTask(std::string("Maltsev condition ") + info.word + " on A" + std::to_string(k));
  if (c == Condition::kAll) {
    const std::vector<ConditionResult> results = decideAllConditions(ws.view(k), progress);
    if (!progress.stopped()) ws.messages.setReport(allConditions(ws, k, results));
    return;
  }
  const ConditionResult r = decideCondition(ws.view(k), c, bound, progress);
  if (!progress.stopped()) ws.messages.setReport(oneCondition(ws, k, r));
}

}  // namespace kest
