#include "core/element_names.h"

namespace kest {

namespace {

// The three runs of names: a..z, A..Z, then the digits.
constexpr int32_t kLetters = 'z' - 'a' + 1;
constexpr int32_t kFirstCapital = kLetters;
constexpr int32_t kFirstDigit = 2 * kLetters;

}  // namespace

char nameOfElement(int32_t e, int32_t maxNamedElements) {
  if (e >= 0 && e < kFirstCapital) return static_cast<char>('a' + e);
  if (e >= kFirstCapital && e < kFirstDigit) return static_cast<char>('A' + e - kFirstCapital);
  if (e >= kFirstDigit && e < kFirstDigit + 10 && maxNamedElements == kFirstDigit + 10) {
    return static_cast<char>('0' + e - kFirstDigit);
  }
  return '.';
}

int32_t elementOfName(char c, int32_t maxNamedElements) {
  if (c >= 'a' && c <= 'z') return c - 'a';
  if (c >= 'A' && c <= 'Z') return c - 'A' + kFirstCapital;
  if (c >= '0' && c <= '9' && maxNamedElements == kFirstDigit + 10) return c - '0' + kFirstDigit;
  return -1;
}

void appendElementText(std::string& out, int32_t e, int32_t maxNamedElements) {
  if (e < maxNamedElements) {
    out += nameOfElement(e, maxNamedElements);
  } else {
    out += '[';
    out += std::to_string(e);
    out += ']';
  }
}

std::string mapLine(int32_t x, int32_t y, int32_t maxNamedElements) {
  std::string line;
  appendElementText(line, x, maxNamedElements);
  line += " -> ";
  appendElementText(line, y, maxNamedElements);
  return line;
}

}  // namespace kest
