#include "core/text_routines.h"

#include <cctype>

namespace kest {

namespace {

bool atEnd(std::string_view text, size_t pos) { return pos >= text.size() || text[pos] == '\0'; }

}  // namespace

int32_t readInteger(std::string_view text) {
  size_t pos = 0;
  while (!atEnd(text, pos) && text[pos] == ' ') ++pos;
  bool negative = false;
  if (!atEnd(text, pos) && text[pos] == '-') {
    negative = true;
    ++pos;
  }
  uint32_t value = 0;
  for (; !atEnd(text, pos) && text[pos] != ' '; ++pos) {
    value = value * 10u + static_cast<uint32_t>(static_cast<unsigned char>(text[pos]) - '0');
  }
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}

int32_t readIntegerList(std::string_view text, std::vector<int32_t>& out) {
  out.clear();
  size_t pos = 0;
  while (!atEnd(text, pos) && text[pos] == ' ') ++pos;
  if (atEnd(text, pos)) return 0;
  do {
    out.push_back(readInteger(text.substr(pos)));
    while (!atEnd(text, pos) && text[pos] == ' ') ++pos;
    if (atEnd(text, pos)) break;
    while (!atEnd(text, pos) && text[pos] != ' ') ++pos;
  } while (!atEnd(text, pos));
  return static_cast<int32_t>(out.size());
}

std::string_view skipBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return text;
}

int32_t matchBracket(std::string_view text, int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= text.size()) return -1;
  static constexpr std::string_view kOpen = "([{";
  static constexpr std::string_view kClose = ")]}";
  char c = text[static_cast<size_t>(index)];
  size_t kind = kOpen.find(c);
  int32_t step = 1;
  if (kind == std::string_view::npos) {
    kind = kClose.find(c);
    if (kind == std::string_view::npos) return -1;
    step = -1;
  }
  const char same = c;
  const char other = step > 0 ? kClose[kind] : kOpen[kind];
  int32_t depth = 0;
  for (int32_t i = index; i >= 0 && static_cast<size_t>(i) < text.size(); i += step) {
    if (text[static_cast<size_t>(i)] == same)
      ++depth;
    else if (text[static_cast<size_t>(i)] == other && --depth == 0)
      return i;
  }
  return -1;
}

bool hasExtension(std::string_view path, std::string_view extension) {
  if (path.size() < extension.size()) return false;
  const std::string_view end = path.substr(path.size() - extension.size());
  for (size_t i = 0; i < end.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(end[i])) != std::tolower(static_cast<unsigned char>(extension[i])))
      return false;
  }
  return true;
}

}  // namespace kest
