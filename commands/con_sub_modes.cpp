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

std::string countLine(const char* lattice, int32_t k, const char* what, size_t count, size_t irreducible) {
  return std::string(lattice) + "(A" + std::to_string(k) + ") has " + std::to_string(count) + " " + what + ", " +
         std::to_string(irreducible) + " join irreducible";
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
  table.add('K', congruenceLatticeMode);
  table.add('U', subuniverseLatticeMode);
}

void openCongruenceLatticePanel(Workspace& ws) {
  openOneFieldPanel(ws.panel, "Congruence lattice of A" + std::to_string(ws.redMarked), "Stop if Con(A) has more than", 100);
  setFieldText(ws.panel, 0, std::to_string(kDefaultLatticeStop));
  ws.inputMode = 'K';
}

void openSubuniverseLatticePanel(Workspace& ws) {
  openOneFieldPanel(ws.panel, "Subalgebra lattice of A" + std::to_string(ws.redMarked), "Stop if Sub(A) has more than", 100);
  setFieldText(ws.panel, 0, std::to_string(kDefaultLatticeStop));
  ws.inputMode = 'U';
}

void congruenceLatticeReport(Workspace& ws, int32_t k, int64_t stop, Progress& progress) {
  if (!isComplete(ws, k)) {
    ws.messages.setMessage("Works for complete algebras only");
    return;
  }
  const CongruenceLattice con = congruenceLattice(ws, k, stop, progress);
  if (con.status == LatticeStatus::kInterrupted) {
    ws.messages.setMessage("Interrupted");
    return;
  }
  if (con.status == LatticeStatus::kTooMany) {
    ws.messages.setMessage("Con(A" + std::to_string(k) + ") has more than " + std::to_string(stop) + " congruences");
    return;
  }
  size_t irreducible = 0;
  for (uint8_t j : con.joinIrreducible) irreducible += j;
  std::vector<std::string> lines{countLine("Con", k, "congruences", con.congruences.size(), irreducible)};
  for (size_t i = 0; i < con.congruences.size(); ++i) {
    lines.push_back("C" + std::to_string(i) + "  " + printPartition(con.congruences[i], ws.sig.maxNamedElements) +
                    (con.joinIrreducible[i] ? " JI" : ""));
  }
  ws.messages.setReport(std::move(lines));
  ws.lastLattice = {'C', k, {}, con.joinIrreducible, nullptr};
  for (const Partition& p : con.congruences) ws.lastLattice.elements.push_back(p);
}

void subuniverseLatticeReport(Workspace& ws, int32_t k, int64_t stop, Progress& progress) {
  const SubuniverseLattice sub = subuniverseLattice(ws, k, stop, progress);
  if (sub.status == LatticeStatus::kInterrupted) {
    ws.messages.setMessage("Interrupted");
    return;
  }
  if (sub.status == LatticeStatus::kTooMany) {
    ws.messages.setMessage("Sub(A" + std::to_string(k) + ") has more than " + std::to_string(stop) + " subuniverses");
    return;
  }
  size_t irreducible = 0;
  for (uint8_t j : sub.joinIrreducible) irreducible += j;
  std::vector<std::string> lines{countLine("Sub", k, "subuniverses", sub.subuniverses.size(), irreducible)};
  for (size_t i = 0; i < sub.subuniverses.size(); ++i) {
    std::string members;
    for (int32_t e : sub.subuniverses[i]) appendElementText(members, e, ws.sig.maxNamedElements);
    lines.push_back("S" + std::to_string(i) + "  " + (members.empty() ? "{}" : members) +
                    (sub.joinIrreducible[i] ? " JI" : ""));
  }
  ws.messages.setReport(std::move(lines));
  ws.lastLattice = {'S', k, sub.subuniverses, sub.joinIrreducible, nullptr};
}

}  // namespace kest
