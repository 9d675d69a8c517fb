#include "commands/computed_lattice_page.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_map>

#include "commands/mouse_input.h"
#include "commands/structure_commands.h"
#include "core/algebra_store.h"
#include "structure/congruence_lattice.h"
#include "structure/factor_algebra.h"
#include "structure/lattice_layout.h"
#include "structure/subuniverse.h"

namespace kest {

namespace {

// The most table entries times elements the diagram's tables may cost.
constexpr int64_t kMaxTabulation = int64_t{200} * 1000 * 1000;
constexpr int32_t kMaxNodes = 2000;

bool stillFits(const Workspace& ws, const ComputedLattice& l) {
  if (!ws.validAlgebra(l.algebra) || l.elements.empty()) return false;
  const int32_t n = ws.algebra(l.algebra).card;
  if (l.kind == 'C') return static_cast<int32_t>(l.elements[0].size()) == n;
  for (const std::vector<int32_t>& s : l.elements) {
    if (!s.empty() && s.back() >= n) return false;
  }
  return true;
}

// Join and meet of elements x and y as their results (partitions or
// member lists), looked up in the list.
std::vector<int32_t> joinOf(const Workspace& ws, const ComputedLattice& l, size_t x, size_t y) {
  const std::vector<int32_t>& a = l.elements[x];
  const std::vector<int32_t>& b = l.elements[y];
  if (l.kind == 'C') return joinPartitions(a, b);
  const int32_t n = ws.algebra(l.algebra).card;
  std::vector<uint8_t> members(static_cast<size_t>(n), 0);
  for (int32_t e : a) members[static_cast<size_t>(e)] = 1;
  for (int32_t e : b) members[static_cast<size_t>(e)] = 1;
  closeSubuniverse(ws.view(l.algebra), members);
  std::vector<int32_t> out;
  for (int32_t e = 0; e < n; ++e) {
    if (members[static_cast<size_t>(e)]) out.push_back(e);
  }
  return out;
}

std::vector<int32_t> meetOf(const ComputedLattice& l, size_t x, size_t y) {
  const std::vector<int32_t>& a = l.elements[x];
  const std::vector<int32_t>& b = l.elements[y];
  std::vector<int32_t> out;
  if (l.kind == 'C') return meetPartitions(a, b);
  std::set_intersection(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out));
  return out;
}

std::shared_ptr<Workspace> tabulate(const Workspace& ws, const ComputedLattice& l) {
  const int32_t count = static_cast<int32_t>(l.elements.size());
  const int64_t width = std::max<int64_t>(1, static_cast<int64_t>(l.elements[0].size()));
  if (count > kMaxNodes || static_cast<int64_t>(count) * count * width > kMaxTabulation) return nullptr;
  std::unordered_map<std::vector<int32_t>, int32_t, VectorHash> index;
  for (int32_t i = 0; i < count; ++i) index.emplace(l.elements[static_cast<size_t>(i)], i);
  auto d = std::make_shared<Workspace>();
  std::string signature = "+ .";
  parseSignature(*d, signature);
  d->signatureText = signature;
  d->panel.open = false;
  const int32_t k = createAlgebra(*d, count);
  std::vector<int32_t>& t = d->algebra(k).table;
  for (int32_t x = 0; x < count; ++x) {
    for (int32_t y = 0; y < count; ++y) {
      const size_t at = static_cast<size_t>(x) * count + y;
      t[at] = index.at(joinOf(ws, l, static_cast<size_t>(x), static_cast<size_t>(y)));
      t[static_cast<size_t>(count) * count + at] = index.at(meetOf(l, static_cast<size_t>(x), static_cast<size_t>(y)));
    }
  }
  d->redMarked = k;
  d->latticeShown = 1;
  computeLatticeLayout(*d, k, 0);
  return d;
}

}  // namespace

Workspace* computedLatticeDrawing(Workspace& ws) {
  ComputedLattice& l = ws.lastLattice;
  if (!stillFits(ws, l)) return nullptr;
  if (!l.drawing) l.drawing = tabulate(ws, l);
  return l.drawing.get();
}

std::string computedLatticeLabel(const Workspace& ws, int32_t i) {
  return std::string(1, ws.lastLattice.kind) + std::to_string(i);
}

bool appendFromComputedLattice(Workspace& ws, int32_t i) {
  const ComputedLattice& l = ws.lastLattice;
  if (!stillFits(ws, l) || i < 0 || i >= static_cast<int32_t>(l.elements.size())) return false;
  const std::vector<int32_t> element = l.elements[static_cast<size_t>(i)];
  const int32_t k = l.algebra;
  if (l.kind == 'C') {
    if (appendFactor(ws, k, element) < 0) return false;
    ws.messages.setReport({});
    return true;
  }
  return appendSubalgebraReport(ws, k, element);
}

Repaint computedLatticeRelease(Workspace& ws, int32_t x, int32_t y) {
  Workspace* d = computedLatticeDrawing(ws);
  if (!d) return Repaint::nothing();
  if (std::abs(x - ws.drawingPressX) + std::abs(y - ws.drawingPressY) > 4) {
    moveLatticeVertex(*d, 0, ws.drawingPressX, ws.drawingPressY, x);
    return Repaint::whole();
  }
  // The node nearest to the click, within a few units of its circle.
  const NearestVertex hit = nearestLatticeVertex(d->algebra(0), x, y);
  if (hit.vertex < 0 || hit.distance > 80 || !appendFromComputedLattice(ws, hit.vertex)) return Repaint::nothing();
  return Repaint::whole();
}

}  // namespace kest
