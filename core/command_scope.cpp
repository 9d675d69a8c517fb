#include "core/command_scope.h"

#include <utility>

#include "core/algebra_store.h"

namespace kest {

CommandScope::CommandScope(Workspace& ws, Progress& progress)
    : ws_(ws),
      progress_(progress),
      algebraCount_(ws.algebraCount()),
      redMarked_(ws.redMarked),
      greenMarked_(ws.greenMarked),
      spaceOwner_(ws.space.owner),
      messages_(ws.messages),
      classOf_(ws.classOf),
      generatorImage_(ws.generatorImage) {}

bool CommandScope::finish() {
  if (!progress_.stopped()) return true;
  restore();
  ws_.messages.setMessage("Interrupted");
  return false;
}

void CommandScope::failNoMemory() {
  restore();
  ws_.messages.setMessage(kNoMemoryForCommand);
}

void CommandScope::restore() {
  // Only appends are undone: a stopped command has deleted nothing.
  while (ws_.algebraCount() > algebraCount_) {
    ws_.displayedCount -= ws_.algebras.back().displayed;
    ws_.algebras.pop_back();
  }
  if (ws_.algebraCount() == algebraCount_) {
    ws_.redMarked = redMarked_;
    ws_.greenMarked = greenMarked_;
    ws_.space.owner = spaceOwner_;
  }
  // The serial goes on counting, so front ends see that something was said.
  const uint64_t serial = ws_.messages.writeSerial();
  ws_.messages = messages_;
  ws_.messages.setSerialAtLeast(serial);
  ws_.classOf = std::move(classOf_);
  ws_.generatorImage = std::move(generatorImage_);
  relayout(ws_);
}

}  // namespace kest
