// The signature: which characters are operation symbols, their arities and
// flags, and the operation numbering that every table and file relies on.
// Operations are numbered binary first, then unary, then constants, each
// group by increasing character code ("+" before "." before "/").
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/limits.h"

namespace kest {

struct Signature {
  std::array<int32_t, 256> arityByChar{};  // -1 no symbol, 0 constant, 1 unary, 2 binary
  std::array<int32_t, 256> opByChar{};     // operation index, -1 none
  std::array<char, kMaxOperations> opSymbol{};
  std::array<int32_t, kMaxOperations> opArity{};
  std::array<int32_t, kMaxOperations> opCommutative{};
  std::array<int32_t, kMaxOperations> opIdempotent{};
  int32_t binaryCount = 0;    // NB
  int32_t unaryCount = 0;     // NU
  int32_t constantCount = 0;  // NC
  int32_t operationCount = 0;
  int32_t latticeSignature = 0;
  int32_t maxNamedElements = 62;

  int32_t arity(char c) const { return arityByChar[static_cast<unsigned char>(c)]; }
  int32_t op(char c) const { return opByChar[static_cast<unsigned char>(c)]; }
  bool isBinary(char c) const { return arity(c) == 2; }
  bool isUnary(char c) const { return arity(c) == 1; }
  bool isConstant(char c) const { return arity(c) == 0; }
};

// Characters that can become symbols at all.
bool isBinarySymbolChar(char c);
bool isUnarySymbolChar(char c);
bool isConstantSymbolChar(char c);

// Builds the signature from text; never fails. Applies the shorthands
// ("L", "L0", "L1", "L01") and upper-case flags to text in place, so the
// text shows what was read. Does not touch the term store; the workspace-level
// parseSignature does that.
Signature buildSignature(std::string& text);

}  // namespace kest
