#include "structure/lattice_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "structure/glued_sum.h"
#include "structure/lattice_order.h"
#include "structure/lattice_recognition.h"

namespace kest {

namespace {

constexpr double kTurn = 0.17444444444444446;

size_t at(int32_t n, int32_t i, int32_t j) {
  return static_cast<size_t>(i) * static_cast<size_t>(n) + static_cast<size_t>(j);
}

// The space drawing of lattice k from its plane coordinates: x and y as in
// the plane, the elements spread over z, the top and the bottom on the axis.
void setUpSpace(Workspace& ws, int32_t k) {
  const Algebra& a = ws.algebra(k);
  LatticeSpace& s = ws.space;
  s.owner = k;
  s.card = a.card;
  s.drawingBottom = latticeBottom(ws.view(k));
  s.drawingTop = latticeTop(ws.view(k));
  for (int32_t i = 0; i < a.card; ++i) {
    s.spaceX[static_cast<size_t>(i)] = a.latticeX[static_cast<size_t>(i)];
    s.spaceY[static_cast<size_t>(i)] = a.latticeY[static_cast<size_t>(i)];
    s.spaceZ[static_cast<size_t>(i)] = i * 3000.0 / a.card;
  }
  for (int32_t e : {s.drawingTop, s.drawingBottom}) {
    s.spaceX[static_cast<size_t>(e)] = 1500.0;
    s.spaceZ[static_cast<size_t>(e)] = 1500.0;
  }
}

bool fixedInSpace(const LatticeSpace& s, int32_t i) { return i == s.drawingTop || i == s.drawingBottom; }

// The force step on the space drawing of lattice k.
void forceStep(Workspace& ws, int32_t k) {
  const Algebra& a = ws.algebra(k);
  LatticeSpace& s = ws.space;
  const int32_t n = a.card;
  std::array<double, kSpaceElements> moveX{};
  std::array<double, kSpaceElements> moveZ{};
  for (int32_t i = 0; i < n; ++i) {
    double sumX = 0;
    double sumZ = 0;
    for (int32_t j = 0; j < n; ++j) {
      if (j == i) continue;
      const double dx = s.spaceX[static_cast<size_t>(j)] - s.spaceX[static_cast<size_t>(i)];
      const double dz = s.spaceZ[static_cast<size_t>(j)] - s.spaceZ[static_cast<size_t>(i)];
      const int32_t v = a.table[at(n, i, j)];
      if (v == i || v == j) {  // comparable: pulled together
        sumX += dx;
        sumZ += dz;
      } else {  // incomparable: pushed apart
        const double dy = s.spaceY[static_cast<size_t>(j)] - s.spaceY[static_cast<size_t>(i)];
        const double d = std::max(std::fabs(dy) + std::fabs(dz) + std::fabs(dx), 0.001);
        const double w = 3000 / d;
        sumX += -dx * w;
        sumZ += -dz * w;
      }
    }
    moveX[static_cast<size_t>(i)] = std::clamp(sumX, -10.0, 10.0);
    moveZ[static_cast<size_t>(i)] = std::clamp(sumZ, -10.0, 10.0);
  }
  for (int32_t i = 0; i < n; ++i) {
    if (fixedInSpace(s, i)) continue;
    s.spaceX[static_cast<size_t>(i)] += moveX[static_cast<size_t>(i)];
    s.spaceZ[static_cast<size_t>(i)] += moveZ[static_cast<size_t>(i)];
  }
}

// The plane x of every element but the top and the bottom: the space x,
// squeezed into 0..3000 when it spreads wider.
void projectToPlane(Workspace& ws, int32_t k) {
  Algebra& a = ws.algebra(k);
  const LatticeSpace& s = ws.space;
  int32_t r = 0;
  for (int32_t i = 0; i < a.card; ++i) {
    const double off = std::fabs(s.spaceX[static_cast<size_t>(i)] - 1500);
    if (!fixedInSpace(s, i) && off > r) r = static_cast<int32_t>(off);
  }
  for (int32_t i = 0; i < a.card; ++i) {
    if (fixedInSpace(s, i)) continue;
    const double x = s.spaceX[static_cast<size_t>(i)];
    a.latticeX[static_cast<size_t>(i)] = static_cast<int32_t>(r > 1500 ? (r + x - 1500) * 1500 / r : x);
  }
}

// Whether the space drawing is that of k's plane drawing.
bool spaceBelongsTo(const Workspace& ws, int32_t k) {
  const Algebra& a = ws.algebra(k);
  const LatticeSpace& s = ws.space;
  if (s.owner != k || s.card != a.card) return false;
  for (int32_t i = 0; i < a.card; ++i) {
    if (s.spaceY[static_cast<size_t>(i)] != a.latticeY[static_cast<size_t>(i)]) return false;
  }
  return true;
}

}  // namespace

std::vector<int32_t> chainLengthMatrix(const AlgebraView& a, int32_t kind) {
  const TableOrder order = tableOrder(a, kind);
  const int32_t n = order.n;
  const OrderSets sets = orderSets(order);
  const std::vector<std::vector<int32_t>> below = lowerCovers(sets);
  const std::vector<int32_t> listing = linearExtension(sets);
  // Longest paths from each i along covers, in an order that puts every
  // element after everything below it.
  std::vector<int32_t> m(at(n, n, 0), -1);
  for (int32_t i = 0; i < n; ++i) {
    int32_t* row = m.data() + at(n, i, 0);
    row[i] = 0;
    for (int32_t j : listing) {
      if (j == i || !sets.up.test(i, j)) continue;
      int32_t best = -1;
      for (int32_t c : below[static_cast<size_t>(j)]) best = std::max(best, row[c]);
      row[j] = best < 0 ? -1 : best + 1;
    }
  }
  return m;
}

bool covers(const AlgebraView& alg, int32_t a, int32_t b, int32_t kind) {
  if (kind < 0 || kind > 2) return true;
  const TableOrder order = tableOrder(alg, kind);
  if (!order.less(a, b)) return false;
  for (int32_t c = 0; c < order.n; ++c) {
    if (c != a && c != b && order.less(a, c) && order.less(c, b)) return false;
  }
  return true;
}

void computeLatticeLayout(Workspace& ws, int32_t k, int32_t kind, bool space) {
  Algebra& a = ws.algebra(k);
  const int32_t n = a.card;
  a.latticeX.assign(static_cast<size_t>(n), 0);
  a.latticeY.assign(static_cast<size_t>(n), 0);
  std::vector<int32_t>& x = a.latticeX;
  std::vector<int32_t>& y = a.latticeY;
  if (ws.space.owner == k && space) ws.space.owner = -1;
  if (n == 1) {
    x[0] = y[0] = 1500;
    return;
  }
  const std::vector<int32_t> m = chainLengthMatrix(ws.view(k), kind);
  // Levels: how far up the longest chains below and above reach.
  for (int32_t i = 0; i < n; ++i) {
    int32_t below = -1;
    int32_t above = -1;
    for (int32_t j = 0; j < n; ++j) {
      below = std::max(below, m[at(n, j, i)]);
      above = std::max(above, m[at(n, i, j)]);
    }
    y[static_cast<size_t>(i)] = below + above == 0 ? 1500 : 3000 - (3000 * below) / (below + above);
  }
  // Each level spread over the width, in index order.
  std::fill(x.begin(), x.end(), -1);
  for (int32_t i = 0; i < n; ++i) {
    if (x[static_cast<size_t>(i)] != -1) continue;
    int32_t c = 0;
    for (int32_t j = i + 1; j < n; ++j) c += y[static_cast<size_t>(j)] == y[static_cast<size_t>(i)];
    if (c == 0) {
      x[static_cast<size_t>(i)] = 1500;
      continue;
    }
    x[static_cast<size_t>(i)] = 0;
    int32_t step = 0;
    for (int32_t j = i + 1; j < n; ++j) {
      if (y[static_cast<size_t>(j)] == y[static_cast<size_t>(i)]) x[static_cast<size_t>(j)] = (3000 / c) * ++step;
    }
  }
  // Incomparable elements on different levels pushed apart.
  for (int32_t i = 0; i < n; ++i) {
    for (int32_t j = 0; j < n; ++j) {
      if (m[at(n, i, j)] < 0 && m[at(n, j, i)] < 0 && y[static_cast<size_t>(i)] != y[static_cast<size_t>(j)] &&
          x[static_cast<size_t>(i)] <= x[static_cast<size_t>(j)]) {
        x[static_cast<size_t>(i)] = std::max(0, x[static_cast<size_t>(i)] - 200);
        x[static_cast<size_t>(j)] = std::min(3000, x[static_cast<size_t>(j)] + 200);
      }
    }
  }
  for (int32_t i = 0; i < n; ++i) {
    for (int32_t j = i + 1; j < n; ++j) {
      if (y[static_cast<size_t>(i)] == y[static_cast<size_t>(j)] &&
          x[static_cast<size_t>(i)] == x[static_cast<size_t>(j)]) {
        x[static_cast<size_t>(j)] += 100;
      }
    }
  }
  if (space && n <= kSpaceElements && isLattice(ws.view(k))) setUpSpace(ws, k);
}

int32_t drawingKind(const AlgebraView& a) {
  const int32_t dot = a.signature().op('.');
  if (a.signature().op('+') == 0 && isSemilattice(a, 0)) return kJoinFirst;
  if (dot == 0 && isSemilattice(a, 1)) return kMeetFirst;
  if (dot == 1 && isSemilattice(a, 2)) return kMeetSecond;
  return -1;
}

void relaxLatticeDrawing(Workspace& ws, int32_t k) {
  forceStep(ws, k);
  projectToPlane(ws, k);
}

void rotateLatticeDrawing(Workspace& ws, int32_t k, int32_t direction) {
  forceStep(ws, k);
  LatticeSpace& s = ws.space;
  for (int32_t i = 0; i < ws.algebra(k).card; ++i) {
    if (fixedInSpace(s, i)) continue;
    double& x = s.spaceX[static_cast<size_t>(i)];
    double& z = s.spaceZ[static_cast<size_t>(i)];
    const double r = std::sqrt(x * x + z * z);
    if (r == 0) continue;
    double theta = std::acos(x / r);
    if (z < 0) theta = -theta;
    theta += direction > 0 ? kTurn : -kTurn;
    x = r * std::cos(theta);
    z = r * std::sin(theta);
  }
  projectToPlane(ws, k);
}

void eraseLatticeCoordinates(Workspace& ws, int32_t k) {
  if (ws.validAlgebra(k)) ws.algebra(k).discardLatticeCoordinates();
}

void steerLatticeDrawing(Workspace& ws, int32_t k, int32_t key) {
  if (!ws.validAlgebra(k)) return;
  const int32_t n = ws.algebra(k).card;
  if (n < 2 || n > kSpaceElements || !isLattice(ws.view(k))) return;
  if (!ws.algebra(k).hasLatticeCoordinates()) computeLatticeLayout(ws, k, kJoinFirst);
  if (!spaceBelongsTo(ws, k)) setUpSpace(ws, k);
  const bool positive = (key >= '0' && key <= '9') || key == 'q' || key == 'a' || key == 'z';
  if (key == ' ')
    relaxLatticeDrawing(ws, k);
  else
    rotateLatticeDrawing(ws, k, positive ? 1 : -1);
}

}  // namespace kest
