#include "core/element_names.h"

namespace kest {

char nameOfElement(int32_t e, int32_t maxNamedElements) {
  if (e >= 0 && e < 26) return static_cast<char>('a' + e);
  if (e >= 26 && e < 52) return static_cast<char>('A' + e - 26);
  if (e >= 52 && e < 62 && maxNamedElements == 62) return static_cast<char>('0' + e - 52);
  return '.';
}

int32_t elementOfName(char c, int32_t maxNamedElements) {
  if (c >= 'a' && c <= 'z') return c - 'a';
  if (c >= 'A' && c <= 'Z') return c - 'A' + 26;
  if (c >= '0' && c <= '9' && maxNamedElements == 62) return c - '0' + 52;
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
