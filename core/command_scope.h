// One command as a unit: what it leaves behind when it is stopped or runs
// out of memory. Every front end (the window's events, the script verbs)
// and the inner boundaries (the executor, the single keys) run commands
// through runCommand, so that no command can leave half its work behind:
// algebras it appended are taken off the store again, the marks, the
// message lines and the free-algebra state are put back, and one line says
// why ("Interrupted", "Not enough memory for this command"). Tables that a
// command changes in place are its own to restore (the completion does).
#pragma once

#include <cstdint>
#include <new>
#include <vector>

#include "core/messages.h"
#include "core/progress.h"
#include "core/workspace.h"

namespace kest {

inline constexpr const char* kNoMemoryForCommand = "Not enough memory for this command";

class CommandScope {
 public:
  CommandScope(Workspace& ws, Progress& progress);
  // After the command returned: false (with everything put back and
  // "Interrupted" said) when it was asked to stop.
  bool finish();
  // After std::bad_alloc: puts everything back and says so.
  void failNoMemory();

 private:
  void restore();

  Workspace& ws_;
  Progress& progress_;
  int32_t algebraCount_;
  int32_t redMarked_;
  int32_t greenMarked_;
  int32_t spaceOwner_;
  MessageLines messages_;
  std::vector<int32_t> classOf_;
  std::vector<int32_t> generatorImage_;
};

// Runs command() in a scope; its result, or onFailure when it was stopped
// or ran out of memory.
template <class R, class F>
R runCommand(Workspace& ws, Progress& progress, R onFailure, F&& command) {
  CommandScope scope(ws, progress);
  try {
    R result = command();
    return scope.finish() ? result : onFailure;
  } catch (const std::bad_alloc&) {
    scope.failNoMemory();
    return onFailure;
  }
}

}  // namespace kest
