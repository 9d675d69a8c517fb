#include "core/signature.h"

#include <string_view>

namespace kest {

bool isBinarySymbolChar(char c) { return std::string_view(".+/\\:").find(c) != std::string_view::npos && c; }
bool isUnarySymbolChar(char c) { return std::string_view("-*|").find(c) != std::string_view::npos && c; }
bool isConstantSymbolChar(char c) { return c == '$' || c == '#' || (c >= '0' && c <= '9'); }

namespace {

void applyShorthands(std::string& text) {
  if (text == "L")
    text = "+ci .ci";
  else if (text == "L0")
    text = "+ci .ci 0";
  else if (text == "L1")
    text = "+ci .ci 1";
  else if (text == "L01")
    text = "+ci .ci 0 1";
  for (char& c : text) {
    if (c == 'C')
      c = 'c';
    else if (c == 'I')
      c = 'i';
  }
}

// Provisional codes: 2 plain binary, 3 commutative, 4 idempotent, 5 both.
std::array<int32_t, 256> provisionalCodes(const std::string& text) {
  std::array<int32_t, 256> code;
  code.fill(-1);
  for (size_t i = 0; i < text.size(); ++i) {
    const char x = text[i];
    const auto slot = static_cast<unsigned char>(x);
    if (isBinarySymbolChar(x)) {
      const char n1 = i + 1 < text.size() ? text[i + 1] : '\0';
      const char n2 = i + 2 < text.size() ? text[i + 2] : '\0';
      if ((n1 == 'c' && n2 == 'i') || (n1 == 'i' && n2 == 'c')) {
        code[slot] = 5;
        i += 2;
      } else if (n1 == 'c') {
        code[slot] = 3;
        ++i;
      } else if (n1 == 'i') {
        code[slot] = 4;
        ++i;
      } else {
        code[slot] = 2;
      }
    } else if (isUnarySymbolChar(x)) {
      code[slot] = 1;
    } else if (isConstantSymbolChar(x)) {
      code[slot] = 0;
    }
  }
  return code;
}

}  // namespace

Signature buildSignature(std::string& text) {
  // The text is a C string: nothing after a zero byte counts.
  if (const size_t nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
  applyShorthands(text);
  const std::array<int32_t, 256> code = provisionalCodes(text);

  Signature sig;
  int32_t index = 0;
  auto addGroup = [&](auto inGroup, auto describe) {
    for (int32_t c = 0; c < 256; ++c) {
      if (!inGroup(code[c])) continue;
      sig.opSymbol[index] = static_cast<char>(c);
      describe(index, code[c]);
      ++index;
    }
  };
  addGroup([](int32_t v) { return v >= 2; },
           [&](int32_t op, int32_t v) {
             sig.opArity[op] = 2;
             sig.opCommutative[op] = (v == 3 || v == 5) ? 1 : 0;
             sig.opIdempotent[op] = (v == 4 || v == 5) ? 1 : 0;
             ++sig.binaryCount;
           });
  addGroup([](int32_t v) { return v == 1; },
           [&](int32_t op, int32_t) {
             sig.opArity[op] = 1;
             ++sig.unaryCount;
           });
  addGroup([](int32_t v) { return v == 0; },
           [&](int32_t op, int32_t) {
             sig.opArity[op] = 0;
             ++sig.constantCount;
           });

  for (int32_t c = 0; c < 256; ++c) sig.arityByChar[c] = code[c] > 2 ? 2 : code[c];
  if (index == 0) {
    sig.arityByChar[static_cast<unsigned char>('.')] = 2;
    sig.opSymbol[0] = '.';
    sig.opArity[0] = 2;
    sig.binaryCount = 1;
    index = 1;
  }
  sig.operationCount = index;
  sig.opByChar.fill(-1);
  bool digitConstant = false;
  for (int32_t op = 0; op < index; ++op) {
    sig.opByChar[static_cast<unsigned char>(sig.opSymbol[op])] = op;
    if (sig.opArity[op] == 0 && sig.opSymbol[op] >= '0' && sig.opSymbol[op] <= '9') digitConstant = true;
  }
  sig.maxNamedElements = digitConstant ? 52 : 62;
  sig.latticeSignature = (sig.op('+') == 0 && sig.op('.') == 1) ? 1 : 0;
  return sig;
}

}  // namespace kest
