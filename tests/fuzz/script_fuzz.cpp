// Fuzz target: script lines through the verb dispatch of kest --script.
// Verbs that touch the file system are skipped (the fuzzer must not write
// where its input says), and every command is stopped after a short time,
// as Ctrl+C would, so slow inputs end quickly.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "script/script_context.h"
#include "script/script_runner.h"

namespace {

class ShortLeash final : public kest::Progress {
 protected:
  bool pollStop() override { return std::chrono::steady_clock::now() - start_ > std::chrono::milliseconds(50); }
  void discardStop() override { start_ = std::chrono::steady_clock::now(); }

 private:
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

bool touchesFiles(std::string_view line) {
  while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
  for (std::string_view verb : {"open", "save", "draw"}) {
    if (line.substr(0, verb.size()) == verb) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::ostringstream out;
  ShortLeash progress;
  kest::ScriptContext ctx{kest::Workspace(), false, out, progress};
  std::string_view text(reinterpret_cast<const char*>(data), size);
  int32_t lines = 0;
  while (!text.empty() && ++lines <= 64) {
    const size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (touchesFiles(line)) continue;
    if (!kest::runScriptLine(ctx, line).empty()) break;
  }
  return 0;
}
