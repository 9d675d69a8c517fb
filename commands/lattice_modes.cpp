// Modes and keys of lattices and of operations built from typed data:
// the linear, graph, order and lines operations, the meet, the join and
// the lattice from an order, the keys l and k and the glued sum.
#include <string>
#include <string_view>
#include <vector>

#include "commands/executor.h"
#include "commands/lattice_commands.h"
#include "core/text_routines.h"
#include "structure/glued_sum.h"
#include "structure/lattice_recognition.h"
#include "structure/order_operations.h"

namespace kest {

namespace {

// The binary operation named by the first character of the text, or -1.
int32_t leadingBinaryOperation(const Workspace& ws, std::string_view text) {
  return !text.empty() && ws.sig.isBinary(text[0]) ? ws.sig.op(text[0]) : -1;
}

// A table of k is rewritten: its drawing no longer fits it.
void tableRewritten(Workspace& ws, int32_t k) { ws.algebra(k).discardLatticeCoordinates(); }

int32_t card(const Workspace& ws, int32_t k) { return ws.algebra(k).card; }

int32_t reduced(int32_t v, int32_t n) {
  const int32_t r = v % n;
  return r < 0 ? r + n : r;
}

void linearMode(Workspace& ws, Progress&) {
  const int32_t k = ws.redMarked;
  if (!ws.validAlgebra(k)) return;
  const std::string_view text = inputString(ws);
  const int32_t op = leadingBinaryOperation(ws, text);
  if (op < 0) return;
  const size_t blank = text.find(' ');  // characters glued to the symbol are ignored
  if (blank == std::string_view::npos) return;
  std::vector<int32_t> numbers;
  const int32_t count = readIntegerList(text.substr(blank), numbers);
  if (count != 2 && count != 3) return;
  if (count == 2) numbers.push_back(0);
  const int32_t n = card(ws, k);
  if (n == 0) return;  // the empty table is already the operation
  linearOperation(ws, k, op, reduced(numbers[0], n), reduced(numbers[1], n), reduced(numbers[2], n));
  tableRewritten(ws, k);
}

void conservativeMode(Workspace& ws, bool closed) {
  const int32_t k = ws.redMarked;
  if (!ws.validAlgebra(k) || (closed && card(ws, k) > ws.sig.maxNamedElements)) return;
  const std::string_view text = inputString(ws);
  const int32_t op = leadingBinaryOperation(ws, text);
  if (op < 0) return;
  if (ws.sig.opCommutative[static_cast<size_t>(op)]) {
    ws.messages.setMessage("Does not work for commutative operation");
    return;
  }
  const std::string_view rest = skipBlanks(text.substr(1));
  if (closed ? orderOperation(ws, k, op, rest) : graphOperation(ws, k, op, rest)) tableRewritten(ws, k);
}

void linesMode(Workspace& ws, Progress&) {
  const int32_t k = ws.keyTarget;
  if (!ws.validAlgebra(k)) return;
  const std::string_view text = inputString(ws);
  const int32_t op = leadingBinaryOperation(ws, text);
  if (op < 0) return;
  if (linesOperation(ws, k, op, skipBlanks(text.substr(1)))) tableRewritten(ws, k);
}

// The red algebra of modes M, J and L, when it has names for all elements.
int32_t namedRedAlgebra(const Workspace& ws) {
  const int32_t k = ws.redMarked;
  return ws.validAlgebra(k) && card(ws, k) <= ws.sig.maxNamedElements ? k : -1;
}

void semilatticeMode(Workspace& ws, bool meet) {
  const int32_t k = namedRedAlgebra(ws);
  if (k < 0) return;
  tableRewritten(ws, k);
  if (!ws.sig.isBinary(meet ? '.' : '+')) {
    ws.messages.setMessage("Bad input");
    return;
  }
  const bool built = meet ? meetFromOrder(ws, k, inputString(ws)) : joinFromOrder(ws, k, inputString(ws));
  if (built)
    ws.messages.clearMessages();
  else
    ws.messages.setMessage("Bad input");
}

void latticeMode(Workspace& ws, Progress&) {
  const int32_t k = namedRedAlgebra(ws);
  if (k < 0 || !ws.sig.isBinary('+') || !ws.sig.isBinary('.')) return;
  tableRewritten(ws, k);
  // Each half writes its table when it succeeds, whatever the other does.
  const bool join = joinFromOrder(ws, k, inputString(ws));
  const bool meet = meetFromOrder(ws, k, inputString(ws));
  if (join && meet)
    ws.messages.clearMessages();
  else
    ws.messages.setMessage("The input is not a lattice");
}

}  // namespace

void registerLatticeModes(ModeTable& table) {
  table.add(InputMode::kLinear, linearMode);
  table.add(InputMode::kGraph, [](Workspace& ws, Progress&) { conservativeMode(ws, false); });
  table.add(InputMode::kOrder, [](Workspace& ws, Progress&) { conservativeMode(ws, true); });
  table.add(InputMode::kLines, linesMode);
  table.add(InputMode::kMeet, [](Workspace& ws, Progress&) { semilatticeMode(ws, true); });
  table.add(InputMode::kJoin, [](Workspace& ws, Progress&) { semilatticeMode(ws, false); });
  table.add(InputMode::kLattice, latticeMode);
}

void latticeReport(Workspace& ws, int32_t k, Progress& progress) {
  const LatticeVerdict v = recognizeLattice(ws.view(k), progress);
  if (progress.stopped()) return;
  const std::string name = "A" + std::to_string(k);
  switch (v.kind) {
    case LatticeVerdict::kLattice: {
      static const char* const kProperties[] = {"distributive", "modular", "meet semidistributive",
                                                "join semidistributive", "Whitman"};
      std::vector<std::string> lines{name + " is a lattice"};
      for (size_t i = 0; i < v.properties.size(); ++i) {
        lines.push_back(std::string("The lattice is ") + (v.properties[i] ? "" : "NOT ") + kProperties[i]);
      }
      ws.messages.setReport(std::move(lines));
      return;
    }
    case LatticeVerdict::kJoinSemilattice: ws.messages.setMessage(name + " is a join semilattice"); return;
    case LatticeVerdict::kMeetSemilattice: ws.messages.setMessage(name + " is a meet semilattice"); return;
    case LatticeVerdict::kNeither: ws.messages.setMessage(name + " is neither join nor meet semilattice"); return;
  }
}

void conservativityReport(Workspace& ws, int32_t k) {
  ws.messages.setMessage(isConservative(ws.view(k)) ? "The algebra is conservative"
                                                    : "The algebra is NOT conservative");
}

// A valid algebra that is a lattice.
bool isMarkedLattice(const Workspace& ws, int32_t k) { return ws.validAlgebra(k) && isLattice(ws.view(k)); }

void glueMarkedLattices(Workspace& ws) {
  if (!isMarkedLattice(ws, ws.redMarked) || !isMarkedLattice(ws, ws.greenMarked)) return;
  // The empty lattice has no top or bottom to glue at.
  if (ws.algebra(ws.redMarked).card == 0 || ws.algebra(ws.greenMarked).card == 0) return;
  if (gluedOrdinalSum(ws, ws.redMarked, ws.greenMarked) < 0) ws.messages.setMessage("The store of algebras is full");
}

}  // namespace kest
