#include "structure/embedding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/algebra_store.h"
#include "structure/subuniverse.h"
#include "tests/oracle/random_inputs.h"
#include "tests/oracle/reference_embedding.h"
#include "tests/oracle/test_progress.h"

namespace kest {
namespace {

using oracle::workspaceWithSignature;

// A lattice from its join table given as rows of names; meet is derived.
int32_t latticeFromJoin(Workspace& ws, const std::vector<std::string>& rows) {
  const int32_t n = static_cast<int32_t>(rows.size());
  const int32_t k = createAlgebra(ws, n);
  auto join = [&](int32_t x, int32_t y) { return rows[static_cast<size_t>(x)][static_cast<size_t>(y)] - 'a'; };
  for (int32_t x = 0; x < n; ++x) {
    for (int32_t y = 0; y < n; ++y) {
      ws.algebra(k).table[x * n + y] = join(x, y);
      // x.y is the greatest z below both.
      int32_t meet = -1;
      for (int32_t z = 0; z < n; ++z) {
        if (join(z, x) == x && join(z, y) == y && (meet < 0 || join(z, meet) == z)) meet = z;
      }
      ws.algebra(k).table[n * n + x * n + y] = meet;
    }
  }
  return k;
}

// Is map a homomorphism A -> B, and injective? Checked directly.
bool isEmbedding(const Workspace& ws, int32_t a, int32_t b, const std::vector<int32_t>& map) {
  const Algebra& A = ws.algebra(a);
  const Algebra& B = ws.algebra(b);
  const TableLayout la = ws.layout(a);
  const TableLayout lb = ws.layout(b);
  std::vector<int32_t> sorted = map;
  std::sort(sorted.begin(), sorted.end());
  if (std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end()) return false;
  for (int32_t op = 0; op < ws.sig.binaryCount; ++op) {
    for (int32_t x = 0; x < A.card; ++x) {
      for (int32_t y = 0; y < A.card; ++y) {
        if (map[A.table[la.binary(op, x, y)]] != B.table[lb.binary(op, map[x], map[y])]) return false;
      }
    }
  }
  for (int32_t u = ws.sig.binaryCount; u < ws.sig.binaryCount + ws.sig.unaryCount; ++u) {
    for (int32_t x = 0; x < A.card; ++x) {
      if (map[A.table[la.unary(u, x)]] != B.table[lb.unary(u, map[x])]) return false;
    }
  }
  for (int32_t c = 0; c < ws.sig.constantCount; ++c) {
    if (map[A.table[la.constant(c)]] != B.table[lb.constant(c)]) return false;
  }
  return true;
}

// Any injective homomorphism at all, by trying every injective map.
bool embedsByBruteForce(const Workspace& ws, int32_t a, int32_t b) {
  const int32_t n = ws.algebra(a).card;
  const int32_t m = ws.algebra(b).card;
  std::vector<int32_t> map(static_cast<size_t>(n), 0);
  for (;;) {
    if (isEmbedding(ws, a, b, map)) return true;
    int32_t i = n - 1;
    while (i >= 0 && map[i] == m - 1) map[i--] = 0;
    if (i < 0) return false;
    ++map[i];
  }
}

const std::vector<std::string> kTwoChain{"ab", "bb"};
const std::vector<std::string> kThreeChain{"abc", "bbc", "ccc"};
// The pentagon 0 < a < b < 1, 0 < c < 1 as a, b, c, d, e = 0, a, b, c, 1.
const std::vector<std::string> kPentagon{"abcde", "bbcee", "ccce e", "deede", "eeeee"};
const std::vector<std::string> kDiamond{"abcde", "bbeee", "ceeee", "deeee", "eeeee"};

std::vector<std::string> fixed(std::vector<std::string> rows) {
  for (std::string& r : rows) r.erase(std::remove(r.begin(), r.end(), ' '), r.end());
  return rows;
}

TEST(Embedding, ChainsIntoThePentagonButNotTheDiamond) {
  Workspace ws = workspaceWithSignature("L");
  const int32_t two = latticeFromJoin(ws, kTwoChain);
  const int32_t three = latticeFromJoin(ws, kThreeChain);
  const int32_t pentagon = latticeFromJoin(ws, fixed(kPentagon));
  const int32_t diamond = latticeFromJoin(ws, fixed(kDiamond));
  EXPECT_TRUE(findEmbedding(ws.view(two), ws.view(pentagon)).embedding.has_value());
  const EmbeddingSearch chain = findEmbedding(ws.view(three), ws.view(pentagon));
  ASSERT_TRUE(chain.embedding.has_value());
  EXPECT_TRUE(isEmbedding(ws, three, pentagon, *chain.embedding));
  EXPECT_FALSE(findEmbedding(ws.view(diamond), ws.view(pentagon)).embedding.has_value());
  EXPECT_FALSE(findEmbedding(ws.view(pentagon), ws.view(two)).embedding.has_value());  // larger source
}

TEST(Embedding, OneElementGoesToTheFirstIdempotent) {
  Workspace ws = workspaceWithSignature(". -");
  const int32_t one = createAlgebra(ws, 1);
  ws.algebra(one).table = {0, 0};
  const int32_t b = createAlgebra(ws, 3);
  ws.algebra(b).table = {1, 0, 0, 0, 1, 0, 0, 0, 2, 1, 0, 2};  // b.b = b but -b = a; c is idempotent
  const EmbeddingSearch s = findEmbedding(ws.view(one), ws.view(b));
  ASSERT_TRUE(s.embedding.has_value());
  EXPECT_EQ(*s.embedding, std::vector<int32_t>{2});
}

TEST(Embedding, ConstantsMayBeImagesOfThemselves) {
  // The two-element lattice with both bounds as constants embeds into itself.
  Workspace ws = workspaceWithSignature("L01");
  const int32_t k = createAlgebra(ws, 2);
  ws.algebra(k).table = {0, 1, 1, 1, 0, 0, 0, 1, 0, 1};
  const EmbeddingSearch s = findEmbedding(ws.view(k), ws.view(k));
  ASSERT_TRUE(s.embedding.has_value());
  EXPECT_EQ(*s.embedding, (std::vector<int32_t>{0, 1}));
}

TEST(Embedding, SubalgebrasAndProductsWithATrivialFactor) {
  std::mt19937 rng(81);
  for (int round = 0; round < 40; ++round) {
    Workspace ws = workspaceWithSignature(round % 2 ? ". -" : "+c 0");
    const int32_t a = oracle::addRandomAlgebra(ws, 2 + static_cast<int32_t>(rng() % 5), 0.0, rng);
    std::vector<uint8_t> members(ws.algebra(a).card, 0);
    members[rng() % members.size()] = 1;
    closeSubuniverse(ws.view(a), members);
    const int32_t sub = appendSubalgebra(ws, a, memberList(members));
    const EmbeddingSearch s = findEmbedding(ws.view(sub), ws.view(a));
    ASSERT_TRUE(s.embedding.has_value()) << round;
    EXPECT_TRUE(isEmbedding(ws, sub, a, *s.embedding));
    // A x 1, with 1 the one-element algebra on an idempotent of A... any
    // one-element algebra of the signature: all tables 0.
    const int32_t one = createAlgebra(ws, 1);
    std::fill(ws.algebra(one).table.begin(), ws.algebra(one).table.end(), 0);
    std::vector<int64_t> all(ws.algebra(a).card);
    for (size_t p = 0; p < all.size(); ++p) all[p] = static_cast<int64_t>(p);
    const int32_t product = appendSubproduct(ws, a, one, all);
    const EmbeddingSearch t = findEmbedding(ws.view(a), ws.view(product));
    ASSERT_TRUE(t.embedding.has_value()) << round;
    EXPECT_TRUE(isEmbedding(ws, a, product, *t.embedding));
  }
}

TEST(Embedding, AgreesWithABruteForceSearch) {
  std::mt19937 rng(82);
  int embeddable = 0;
  for (int round = 0; round < 400; ++round) {
    Workspace ws = workspaceWithSignature(round % 3 == 0 ? ". -" : round % 3 == 1 ? "+c" : ". 0");
    const int32_t a = oracle::addRandomAlgebra(ws, 1 + static_cast<int32_t>(rng() % 3), 0.0, rng);
    const int32_t b = oracle::addRandomAlgebra(ws, 1 + static_cast<int32_t>(rng() % 5), 0.0, rng);
    const EmbeddingSearch s = findEmbedding(ws.view(a), ws.view(b));
    ASSERT_EQ(s.embedding.has_value(), embedsByBruteForce(ws, a, b)) << round;
    if (s.embedding) {
      ++embeddable;
      EXPECT_TRUE(isEmbedding(ws, a, b, *s.embedding));
    }
  }
  EXPECT_GT(embeddable, 20);
}

// The search asks for the sizes of generated subuniverses only as it
// needs them; it must find exactly the embedding that the plain search,
// with all sizes computed first, finds.
TEST(Embedding, TheSameFirstEmbeddingAsThePlainSearch) {
  std::mt19937 rng(83);
  int embeddable = 0;
  const char* signatures[] = {". -", "+c", ". 0", "L", "+ - 0 1", "-"};
  for (int round = 0; round < 600; ++round) {
    Workspace ws = workspaceWithSignature(signatures[round % 6]);
    const int32_t b = oracle::addRandomAlgebra(ws, 1 + static_cast<int32_t>(rng() % 9), 0.0, rng);
    int32_t a;
    if (round % 2 == 0) {
      // A subalgebra of B, so that embeddings exist often.
      std::vector<uint8_t> members(static_cast<size_t>(ws.algebra(b).card), 0);
      members[rng() % members.size()] = 1;
      closeSubuniverse(ws.view(b), members);
      a = appendSubalgebra(ws, b, memberList(members));
    } else {
      a = oracle::addRandomAlgebra(ws, 1 + static_cast<int32_t>(rng() % 5), 0.0, rng);
    }
    const EmbeddingSearch fast = findEmbedding(ws.view(a), ws.view(b));
    const EmbeddingSearch plain = oracle::referenceFindEmbedding(ws, a, b);
    ASSERT_EQ(fast.embedding, plain.embedding) << "round " << round;
    embeddable += fast.embedding.has_value();
  }
  EXPECT_GT(embeddable, 200);
}

TEST(Extension, TheEmptyMapAndAContradiction) {
  Workspace ws = workspaceWithSignature("L");
  const int32_t two = latticeFromJoin(ws, kTwoChain);
  const int32_t three = latticeFromJoin(ws, kThreeChain);
  std::vector<int32_t> map(2, -1);
  EXPECT_TRUE(extendHomomorphism(ws.view(two), ws.view(three), map));
  EXPECT_EQ(map, (std::vector<int32_t>{-1, -1}));
  Workspace c = workspaceWithSignature("L01");
  const int32_t k = createAlgebra(c, 2);
  c.algebra(k).table = {0, 1, 1, 1, 0, 0, 0, 1, 0, 1};
  std::vector<int32_t> empty(2, -1);
  EXPECT_TRUE(extendHomomorphism(c.view(k), c.view(k), empty));
  EXPECT_EQ(empty, (std::vector<int32_t>{0, 1}));
  // In Z_3 (addition), sending 1 to 1 and 2 to 1 does not respect 1+1 = 2.
  Workspace z = workspaceWithSignature(".");
  const int32_t g = createAlgebra(z, 3);
  z.algebra(g).table = {0, 1, 2, 1, 2, 0, 2, 0, 1};
  std::vector<int32_t> bad{-1, 1, 1};
  EXPECT_FALSE(extendHomomorphism(z.view(g), z.view(g), bad));
  std::vector<int32_t> good{-1, 2, -1};
  EXPECT_TRUE(extendHomomorphism(z.view(g), z.view(g), good));
  EXPECT_EQ(good, (std::vector<int32_t>{0, 2, 1}));
}

}  // namespace
}  // namespace kest

namespace kest {
namespace {

// A search that sent a constant's value of A elsewhere than the constant
// in B found "embeddings" that were no homomorphisms: with 0 = 1 in A and
// 0 != 1 in B, A is not embeddable into B, with operations or without.
TEST(Embedding, ConstantsGoToTheConstants) {
  for (const char* signature : {"0 1", ". 0 1", "- 0 1"}) {
    Workspace ws = workspaceWithSignature(signature);
    const int32_t a = createAlgebra(ws, 3);
    const int32_t b = createAlgebra(ws, 4);
    std::fill(ws.algebra(a).table.begin(), ws.algebra(a).table.end(), 0);
    std::fill(ws.algebra(b).table.begin(), ws.algebra(b).table.end(), 0);
    const TableLayout lb = ws.layout(b);
    ws.algebra(b).table[static_cast<size_t>(lb.constant(1))] = 1;  // 1 = b in B
    for (int32_t u = ws.sig.binaryCount; u < ws.sig.binaryCount + ws.sig.unaryCount; ++u) {
      for (int32_t x = 0; x < 4; ++x) ws.algebra(b).table[static_cast<size_t>(lb.unary(u, x))] = x == 1 ? 1 : 0;
    }
    EXPECT_FALSE(findEmbedding(ws.view(a), ws.view(b)).embedding) << signature;
    EXPECT_FALSE(embedsByBruteForce(ws, a, b)) << signature;
    EXPECT_FALSE(findEmbedding(ws.view(b), ws.view(a)).embedding) << signature;  // 0 != 1 cannot meet in A
  }
}

// Constants only: the search over millions of elements ran for more than
// ten minutes; the constants alone answer it, with the first embedding
// the search would find (the other elements in ascending order).
TEST(Embedding, AlgebrasWithConstantsOnly) {
  Workspace ws = workspaceWithSignature("0 1");
  const int32_t a = createAlgebra(ws, 3000000);
  const int32_t b = createAlgebra(ws, 3000001);
  ws.algebra(a).table = {5, 5};  // 0 = 1
  ws.algebra(b).table = {5, 6};
  oracle::StopAfterSeconds soon(2.0);
  EXPECT_FALSE(findEmbedding(ws.view(a), ws.view(b), soon).embedding);
  EXPECT_FALSE(findEmbedding(ws.view(b), ws.view(a), soon).embedding);  // larger
  ws.algebra(a).table = {7, 2};
  const EmbeddingSearch found = findEmbedding(ws.view(a), ws.view(b), soon);
  ASSERT_TRUE(found.embedding);
  const std::vector<int32_t>& map = *found.embedding;
  EXPECT_EQ(map[7], 5);
  EXPECT_EQ(map[2], 6);
  EXPECT_EQ(map[0], 0);
  EXPECT_EQ(map[3], 2);
  EXPECT_EQ(map[6], 7);  // 5 and 6 are taken by the constants
  EXPECT_EQ(map[8], 8);
  EXPECT_EQ(map[2999999], 2999999);
  // Small ones against the plain search: the same first embedding.
  std::mt19937 rng(31);
  for (int round = 0; round < 400; ++round) {
    Workspace small = workspaceWithSignature(round % 2 ? "0 1 2" : "$");
    const int32_t n = 1 + static_cast<int32_t>(rng() % 5);
    const int32_t m = n + static_cast<int32_t>(rng() % 3);
    const int32_t x = createAlgebra(small, n);
    const int32_t y = createAlgebra(small, m);
    for (int32_t& v : small.algebra(x).table) v = static_cast<int32_t>(rng() % n);
    for (int32_t& v : small.algebra(y).table) v = static_cast<int32_t>(rng() % m);
    const EmbeddingSearch fast = findEmbedding(small.view(x), small.view(y));
    const EmbeddingSearch plain = oracle::referenceFindEmbedding(small, x, y);
    EXPECT_EQ(fast.embedding.has_value(), embedsByBruteForce(small, x, y)) << round;
    EXPECT_EQ(fast.embedding, plain.embedding) << round;
  }
}

}  // namespace
}  // namespace kest
