#include "core/progress.h"

namespace kest {

namespace {

std::string grouped(int64_t v) {
  std::string digits = std::to_string(v < 0 ? -v : v);
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return v < 0 ? "-" + out : out;
}

}  // namespace

std::string progressText(int64_t done, int64_t total, const char* unit) {
  std::string text = grouped(done);
  if (total > 0) text += " of " + grouped(total);
  if (unit != nullptr && unit[0] != '\0') text += std::string(" ") + unit;
  return text;
}

Progress& noProgress() {
  static NoProgress none;
  return none;
}

}  // namespace kest
