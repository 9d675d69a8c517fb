#include "script/script_runner.h"

#include <istream>
#include <ostream>

#include "core/command_scope.h"
#include "script/script_context.h"

namespace kest {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

void printMessages(const Workspace& ws, std::ostream& out) {
  for (const std::string& line : ws.messages.lines()) out << line << '\n';
}

}  // namespace

std::string runScriptLine(ScriptContext& ctx, std::string_view raw) {
  const std::string_view line = trim(raw);
  if (line.empty() || line.front() == '#') return "";
  size_t verbEnd = 0;
  while (verbEnd < line.size() && !isBlank(line[verbEnd])) ++verbEnd;
  const std::string_view verbName = line.substr(0, verbEnd);
  std::string_view arg = line.substr(verbEnd);
  while (!arg.empty() && isBlank(arg.front())) arg.remove_prefix(1);
  const Verb* verb = findVerb(verbName);
  if (!verb) return "unknown verb '" + std::string(verbName) + "'";
  if (verb->needsSignature && !ctx.signatureGiven) return "no signature given yet";
  const uint64_t serial = ctx.ws.messages.writeSerial();
  ctx.progress.beginCommand();
  const std::string error = runCommand(ctx.ws, ctx.progress, std::string(), [&] { return verb->run(ctx, arg); });
  ctx.progress.endCommand();
  if (error.empty() && ctx.ws.messages.writeSerial() != serial) printMessages(ctx.ws, ctx.out);
  return error;
}

int runScript(std::istream& in, const std::string& name, std::ostream& out, std::ostream& err, Progress& progress) {
  ScriptContext ctx{Workspace(), false, out, progress};
  std::string raw;
  for (int32_t lineNo = 1; std::getline(in, raw); ++lineNo) {
    const std::string error = runScriptLine(ctx, raw);
    out.flush();  // what a command printed is out before the next one runs
    if (!error.empty()) {
      out.flush();
      err << "kest: " << name << ':' << lineNo << ": " << error << '\n';
      return 2;
    }
  }
  out.flush();
  return 0;
}

}  // namespace kest
