// State of one script run and the verb table it dispatches through.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

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
bool readAlgebraNumber(const Workspace& ws, std::string_view word, int32_t& k);
bool readCount(std::string_view word, int32_t& value);

}  // namespace kest
