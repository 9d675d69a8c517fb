#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>

#include "commands/computed_lattice_page.h"
#include "commands/con_sub_commands.h"
#include "commands/executor.h"
#include "core/algebra_store.h"
#include "core/element_names.h"
#include "core/limits.h"
#include "structure/congruence_lattice.h"

namespace kest {

namespace {

std::string latticeName(char kind, int32_t k) { return (kind == 'C' ? "Con(A" : "Sub(A") + std::to_string(k) + ")"; }
const char* elementsWord(char kind) { return kind == 'C' ? "congruences" : "subuniverses"; }

std::string countLine(const LatticeListing& l, int32_t k) {
  return latticeName(l.letter(), k) + " has " + std::to_string(l.size()) + " " + elementsWord(l.letter()) + ", " +
         std::to_string(l.joinIrreducibleCount()) + " join irreducible";
}

// "C3  (ab)(c) JI" or "S2  ab".
std::string elementLine(const Workspace& ws, const LatticeListing& l, size_t i) {
  std::string text;
  if (l.kind() == LatticeListing::Kind::kCongruences) {
    text = printPartition(l.partition(i), ws.sig.maxNamedElements);
  } else {
    for (int32_t e : l.members(i)) appendElementText(text, e, ws.sig.maxNamedElements);
    if (text.empty()) text = "{}";
  }
  return l.letter() + std::to_string(i) + "  " + text + (l.joinIrreducible(i) ? " JI" : "");
}

// The report of a list: "Interrupted", the one line past the stop, or the
// count line and a line per element, as many as the message area holds
// (and one more, which it cuts); a finished list becomes the last one.
void reportLattice(Workspace& ws, int32_t k, char kind, int64_t stop, LatticeResult result, Progress& progress) {
  if (result.status == LatticeStatus::kInterrupted) {
    ws.messages.setMessage("Interrupted");
    return;
  }
  if (result.status == LatticeStatus::kTooMany) {
    ws.messages.setMessage(latticeName(kind, k) + " has more than " + std::to_string(stop) + " " + elementsWord(kind));
    return;
  }
  auto listing = std::make_shared<const LatticeListing>(std::move(result.listing));
  std::vector<std::string> lines{countLine(*listing, k)};
  size_t bytes = lines[0].size() + 1;
  for (size_t i = 0; i < listing->size() && bytes <= static_cast<size_t>(kMessageBufferBytes); ++i) {
    lines.push_back(elementLine(ws, *listing, i));
    bytes += lines.back().size() + 1;
  }
  ws.messages.setReport(std::move(lines));
  setComputedLattice(ws, k, std::move(listing), progress);
}

void congruenceLatticeMode(Workspace& ws, Progress& progress) {
  const std::optional<int64_t> stop = readTypedNumber(inputString(ws));
  if (stop && ws.validAlgebra(ws.redMarked)) congruenceLatticeReport(ws, ws.redMarked, *stop, progress);
}

void subuniverseLatticeMode(Workspace& ws, Progress& progress) {
  const std::optional<int64_t> stop = readTypedNumber(inputString(ws));
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
  reportLattice(ws, k, 'C', stop, congruenceLattice(ws.view(k), stop, progress), progress);
}

void subuniverseLatticeReport(Workspace& ws, int32_t k, int64_t stop, Progress& progress) {
  reportLattice(ws, k, 'S', stop, subuniverseLattice(ws.view(k), stop, progress), progress);
}

void saveLatticeList(Workspace& ws, const std::string& path, Progress& progress) {
  const ComputedLattice& l = ws.lastLattice;
  if (!l.listing) {
    ws.messages.setMessage("No Con(A) or Sub(A) has been listed");
    return;
  }
  // Written aside and renamed at the end, so that a stop or a full disk
  // leaves no half list under the name.
  const std::string partial = path + ".part";
  std::ofstream out(partial, std::ios::binary);
  out << countLine(*l.listing, l.algebra) << '\n';
  WorkPoll poll(progress);
  for (size_t i = 0; i < l.listing->size() && out; ++i) {
    if (poll.add(l.listing->card() + 16)) break;
    out << elementLine(ws, *l.listing, i) << '\n';
  }
  out.close();
  if (progress.stopped() || !out.good() || std::rename(partial.c_str(), path.c_str()) != 0) {
    std::remove(partial.c_str());
    if (!progress.stopped()) ws.messages.setMessage("Could not write " + path);
    return;
  }
  ws.messages.setReport({countLine(*l.listing, l.algebra), "Written to " + path});
}

}  // namespace kest
