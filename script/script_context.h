// State of one script run and the verb table it dispatches through.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "core/progress.h"
#include "core/workspace.h"

namespace kest {

struct ScriptContext {
  Workspace ws;
  bool signatureGiven = false;
  std::ostream& out;
  Progress& progress;
};

// A verb returns "" on success or the text of the error.
using VerbHandler = std::string (*)(ScriptContext& ctx, std::string_view arg);

struct Verb {
  const char* name;
  bool needsSignature;
  VerbHandler run;
};

// The verb of that name, or nullptr.
const Verb* findVerb(std::string_view name);

// Argument readers shared by the verbs; each returns false on bad input.
std::vector<std::string_view> scriptWords(std::string_view s);
bool readAlgebraNumber(const Workspace& ws, std::string_view word, int32_t& k);
bool readCount(std::string_view word, int32_t& value);
bool readCoordinate(std::string_view word, int32_t& value);

// The verbs for the window's events.
std::string pageVerb(ScriptContext& ctx, std::string_view arg);
std::string pointerVerb(ScriptContext& ctx, std::string_view arg);
std::string clickVerb(ScriptContext& ctx, std::string_view arg);
std::string dragVerb(ScriptContext& ctx, std::string_view arg);
std::string pressVerb(ScriptContext& ctx, std::string_view arg);
std::string drawVerb(ScriptContext& ctx, std::string_view arg);

}  // namespace kest
