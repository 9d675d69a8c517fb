// The headless front end: runs a script of commands, one per line, on a
// workspace of its own, through the same executor and key commands as the
// window. Message lines are printed after every command that wrote them.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "core/progress.h"

namespace kest {

// Runs the script read from in; name is used in error lines
// ("kest: NAME:LINE: WHAT"). Returns the exit status: 0, or 2 after the
// first error.
int runScript(std::istream& in, const std::string& name, std::ostream& out, std::ostream& err,
              Progress& progress = noProgress());

struct ScriptContext;

// Runs one line of a script on ctx: "" on success (blank and comment lines
// included), else the text of the error.
std::string runScriptLine(ScriptContext& ctx, std::string_view line);

}  // namespace kest
