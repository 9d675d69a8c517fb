#include "core/signature.h"

#include <gtest/gtest.h>

#include <random>

namespace kest {
namespace {

Signature parse(std::string text) { return buildSignature(text); }

TEST(Signature, LatticeShorthands) {
  const Signature l = parse("L");
  EXPECT_EQ(l.op('+'), 0);
  EXPECT_EQ(l.op('.'), 1);
  EXPECT_EQ(l.opCommutative[0] + l.opIdempotent[0] + l.opCommutative[1] + l.opIdempotent[1], 4);
  EXPECT_EQ(l.latticeSignature, 1);
  EXPECT_EQ(l.maxNamedElements, 62);
  const Signature l01 = parse("L01");
  EXPECT_EQ(l01.op('0'), 2);
  EXPECT_EQ(l01.op('1'), 3);
  EXPECT_EQ(l01.maxNamedElements, 52);
  // Shorthands match the whole text exactly.
  const Signature spaced = parse(" L");
  EXPECT_EQ(spaced.operationCount, 1);
  EXPECT_EQ(spaced.opSymbol[0], '.');
  EXPECT_EQ(spaced.opCommutative[0], 0);
}

TEST(Signature, FlagsAndLastOccurrence) {
  EXPECT_EQ(parse("+CI").opCommutative[0], 1);
  EXPECT_EQ(parse("+CI").opIdempotent[0], 1);
  EXPECT_EQ(parse("+ic").opCommutative[0], 1);
  EXPECT_EQ(parse("+ic").opIdempotent[0], 1);
  EXPECT_EQ(parse("+ c").opCommutative[0], 0);
  EXPECT_EQ(parse("+c +").opCommutative[0], 0);
  EXPECT_EQ(parse("+i").opIdempotent[0], 1);
  EXPECT_EQ(parse("+i").opCommutative[0], 0);
  EXPECT_EQ(parse("-c").opCommutative[0], 0);  // flags after a unary symbol are ignored
}

TEST(Signature, NumberingBinaryUnaryConstantsByCode) {
  const Signature s = parse(". + - 0 $");
  EXPECT_EQ(s.binaryCount, 2);
  EXPECT_EQ(s.unaryCount, 1);
  EXPECT_EQ(s.constantCount, 2);
  EXPECT_EQ(s.op('+'), 0);
  EXPECT_EQ(s.op('.'), 1);
  EXPECT_EQ(s.op('-'), 2);
  EXPECT_EQ(s.op('$'), 3);
  EXPECT_EQ(s.op('0'), 4);
  EXPECT_EQ(s.latticeSignature, 1);
  const Signature all = parse("\\ : / . + | - * 9 8 7 6 5 4 3 2 1 0 $ #");
  EXPECT_EQ(std::string(all.opSymbol.begin(), all.opSymbol.end()), "+./:\\*-|#$0123456789");
  EXPECT_EQ(all.operationCount, 20);
}

TEST(Signature, DerivedValues) {
  EXPECT_EQ(parse("$ #").maxNamedElements, 62);
  const Signature unary = parse("-");
  EXPECT_EQ(unary.binaryCount, 0);
  EXPECT_EQ(unary.unaryCount, 1);
  EXPECT_EQ(unary.latticeSignature, 0);
  EXPECT_EQ(parse("+ /").latticeSignature, 0);
  EXPECT_EQ(parse(". /").op('.'), 0);
}

TEST(Signature, AnyBytesNeverFail) {
  std::mt19937 rng(7);
  for (int round = 0; round < 2000; ++round) {
    std::string text(static_cast<size_t>(rng() % 40), ' ');
    for (char& c : text) c = static_cast<char>(rng() % 256);
    const Signature s = parse(text);
    EXPECT_GE(s.operationCount, 1);
    EXPECT_LE(s.binaryCount, 5);
    EXPECT_LE(s.unaryCount, 3);
    EXPECT_LE(s.constantCount, 12);
    for (int32_t op = 0; op < s.operationCount; ++op) EXPECT_EQ(s.op(s.opSymbol[op]), op);
  }
}

}  // namespace
}  // namespace kest
