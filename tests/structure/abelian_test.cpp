#include "structure/abelian.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

#include "core/algebra_store.h"
#include "tests/oracle/random_inputs.h"
#include "tests/oracle/reference_structure.h"

namespace kest {
namespace {

using oracle::workspaceWithSignature;

// In the signature ". -": x.y = a*x + b*y + c and -x = k*x + l modulo m.
// Every such algebra is affine over Z_m, hence abelian.
int32_t affine(Workspace& ws, int32_t m, int32_t a, int32_t b, int32_t c, int32_t k, int32_t l) {
  const int32_t id = createAlgebra(ws, m);
  std::vector<int32_t>& t = ws.algebra(id).table;
  for (int32_t x = 0; x < m; ++x) {
    for (int32_t y = 0; y < m; ++y) t[static_cast<size_t>(x) * m + y] = (a * x + b * y + c) % m;
    t[static_cast<size_t>(m) * m + x] = (k * x + l) % m;
  }
  return id;
}

// The symmetric group S3 as permutations of {0,1,2}, composed; -x is the inverse.
int32_t symmetricGroup3(Workspace& ws) {
  const std::vector<std::array<int32_t, 3>> perms = {{0, 1, 2}, {1, 0, 2}, {0, 2, 1}, {2, 1, 0}, {1, 2, 0}, {2, 0, 1}};
  auto indexOf = [&](const std::array<int32_t, 3>& p) {
    for (size_t i = 0; i < perms.size(); ++i) {
      if (perms[i] == p) return static_cast<int32_t>(i);
    }
    return -1;
  };
  const int32_t id = createAlgebra(ws, 6);
  std::vector<int32_t>& t = ws.algebra(id).table;
  for (int32_t x = 0; x < 6; ++x) {
    std::array<int32_t, 3> inv{};
    for (int32_t i = 0; i < 3; ++i) inv[static_cast<size_t>(perms[x][i])] = i;
    t[36 + x] = indexOf(inv);
    for (int32_t y = 0; y < 6; ++y) {
      std::array<int32_t, 3> xy{};
      for (int32_t i = 0; i < 3; ++i) xy[static_cast<size_t>(i)] = perms[x][static_cast<size_t>(perms[y][i])];
      t[x * 6 + y] = indexOf(xy);
    }
  }
  return id;
}

// The semilattice of max on 0..n-1, with -x = x.
int32_t maxSemilattice(Workspace& ws, int32_t n) {
  const int32_t k = createAlgebra(ws, n);
  std::vector<int32_t>& t = ws.algebra(k).table;
  for (int32_t x = 0; x < n; ++x) {
    for (int32_t y = 0; y < n; ++y) t[static_cast<size_t>(x) * n + y] = std::max(x, y);
    t[static_cast<size_t>(n) * n + x] = x;
  }
  return k;
}

TEST(Abelian, AffineAlgebrasAreAndSemilatticesAndNonCommutativeGroupsAreNot) {
  Workspace ws = workspaceWithSignature(". -");
  for (int32_t n : {1, 2, 5, 12, 40}) EXPECT_TRUE(*isAbelian(ws.view(affine(ws, n, 1, 1, 0, n - 1, 0)))) << n;
  // A quasigroup whose translations never compose to translations.
  EXPECT_TRUE(*isAbelian(ws.view(affine(ws, 7, 2, 3, 1, 1, 0))));
  EXPECT_FALSE(*isAbelian(ws.view(symmetricGroup3(ws))));
  EXPECT_FALSE(*isAbelian(ws.view(maxSemilattice(ws, 2))));
  EXPECT_FALSE(*isAbelian(ws.view(maxSemilattice(ws, 60))));
  Workspace empty = workspaceWithSignature(".");
  EXPECT_TRUE(*isAbelian(empty.view(createAlgebra(empty, 0))));
}

TEST(Abelian, AgreesWithThePlainTestOnRandomAlgebras) {
  std::mt19937 rng(22);
  for (int round = 0; round < 300; ++round) {
    Workspace ws = workspaceWithSignature(round % 3 == 0 ? ". -" : round % 3 == 1 ? "+c" : "-");
    const int32_t k = oracle::addRandomAlgebra(ws, 1 + static_cast<int32_t>(rng() % 4), 0.0, rng);
    ASSERT_EQ(*isAbelian(ws.view(k)), oracle::isAbelianReference(ws, k)) << round;
  }
}

// Affine algebras (abelian), the same with one entry changed (mostly not),
// and multiplication modulo m (associative, so most pairs are skipped).
TEST(Abelian, AgreesWithThePlainTestNearAbelianAlgebras) {
  std::mt19937 rng(5);
  for (int round = 0; round < 240; ++round) {
    Workspace ws = workspaceWithSignature(". -");
    const int32_t m = 1 + static_cast<int32_t>(rng() % 8);
    auto r = [&] { return static_cast<int32_t>(rng() % m); };
    int32_t k = affine(ws, m, r(), r(), r(), r(), r());
    std::vector<int32_t>& t = ws.algebra(k).table;
    if (round % 4 == 0) {
      EXPECT_TRUE(*isAbelian(ws.view(k))) << round;
    }
    if (round % 4 == 1) t[static_cast<size_t>(r()) * m + r()] = r();
    if (round % 4 == 2) t[static_cast<size_t>(m) * m + r()] = r();
    if (round % 4 == 3) {
      for (int32_t x = 0; x < m; ++x) {
        for (int32_t y = 0; y < m; ++y) t[static_cast<size_t>(x) * m + y] = x * y % m;
      }
    }
    ASSERT_EQ(*isAbelian(ws.view(k)), oracle::isAbelianReference(ws, k)) << "round " << round << " m " << m;
  }
}

class StopAtOnce final : public Progress {
 protected:
  bool pollStop() override { return true; }
};

TEST(Abelian, AStoppedTestHasNoVerdict) {
  Workspace ws = workspaceWithSignature(". -");
  const int32_t k = affine(ws, 400, 1, 1, 0, 399, 0);
  StopAtOnce stop;
  EXPECT_FALSE(isAbelian(ws.view(k), stop).has_value());
}

}  // namespace
}  // namespace kest
