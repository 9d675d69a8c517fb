#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

#include "commands/con_sub_commands.h"
#include "commands/executor.h"
#include "core/algebra_store.h"
#include "core/element_names.h"
#include "structure/congruence_lattice.h"

namespace kest {

namespace {

// The typed stop: decimal digits only (blanks around them allowed), else
// nothing happens.
std::optional<int64_t> readStop(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  int64_t v = 0;
  size_t digits = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i, ++digits) {
    v = std::min<int64_t>(v * 10 + (text[i] - '0'), int64_t{1} << 40);
  }
  while (i < text.size() && text[i] == ' ') ++i;
  if (digits == 0 || i != text.size()) return std::nullopt;
  return v;
}

// The report of a list: "Interrupted", the one line past the stop, or the
// count line and a line per element ("C3  (ab)(c) JI"); a finished list
// becomes the last listed lattice, kind 'C' (Con) or 'S' (Sub).
template <class Text>
void reportLattice(Workspace& ws, int32_t k, char kind, int64_t stop, LatticeStatus status,
                   std::vector<std::vector<int32_t>> elements, std::vector<uint8_t> joinIrreducible, Text&& text) {
  const std::string lattice = (kind == 'C' ? "Con(A" : "Sub(A") + std::to_string(k) + ")";
  const char* what = kind == 'C' ? "congruences" : "subuniverses";
  if (status == LatticeStatus::kInterrupted) {
    ws.messages.setMessage("Interrupted");
    return;
  }
  if (status == LatticeStatus::kTooMany) {
    ws.messages.setMessage(lattice + " has more than " + std::to_string(stop) + " " + what);
    return;
  }
  const auto irreducible = std::count(joinIrreducible.begin(), joinIrreducible.end(), 1);
  std::vector<std::string> lines{lattice + " has " + std::to_string(elements.size()) + " " + what + ", " +
                                 std::to_string(irreducible) + " join irreducible"};
  for (size_t i = 0; i < elements.size(); ++i) {
    lines.push_back(kind + std::to_string(i) + "  " + text(elements[i]) + (joinIrreducible[i] ? " JI" : ""));
  }
  ws.messages.setReport(std::move(lines));
  ws.lastLattice = {kind, k, std::move(elements), std::move(joinIrreducible), nullptr};
}

void congruenceLatticeMode(Workspace& ws, Progress& progress) {
  const std::optional<int64_t> stop = readStop(inputString(ws));
  if (stop && ws.validAlgebra(ws.redMarked)) congruenceLatticeReport(ws, ws.redMarked, *stop, progress);
}

void subuniverseLatticeMode(Workspace& ws, Progress& progress) {
  const std::optional<int64_t> stop = readStop(inputString(ws));
  if (stop && ws.validAlgebra(ws.redMarked)) subuniverseLatticeReport(ws, ws.redMarked, *stop, progress);
}

}  // namespace

void registerConSubModes(ModeTable& table) {
  table.add(InputMode::kCongruenceLattice, congruenceLatticeMode);
  table.add(InputMode::kSubuniverseLattice, subuniverseLatticeMode);
}

void congruenceLatticeReport(Workspace& ws, int32_t k, int64_t stop, Progress& progress) {
  if (!isComplete(ws, k)) {
    ws.messages.setMessage("Works for complete algebras only");
    return;
  }
  CongruenceLattice con = congruenceLattice(ws.view(k), stop, progress);
  reportLattice(ws, k, 'C', stop, con.status, std::move(con.congruences), std::move(con.joinIrreducible),
                [&](const Partition& p) { return printPartition(p, ws.sig.maxNamedElements); });
}

void subuniverseLatticeReport(Workspace& ws, int32_t k, int64_t stop, Progress& progress) {
  SubuniverseLattice sub = subuniverseLattice(ws.view(k), stop, progress);
  reportLattice(ws, k, 'S', stop, sub.status, std::move(sub.subuniverses), std::move(sub.joinIrreducible),
                [&](const std::vector<int32_t>& members) {
                  std::string text;
                  for (int32_t e : members) appendElementText(text, e, ws.sig.maxNamedElements);
                  return text.empty() ? std::string("{}") : text;
                });
}

}  // namespace kest
