// Embeddings, the extension of a typed map, completion by the equations
// and reconstructible places: mode X and the keys e, u and r.
#include <string>
#include <vector>

#include "commands/executor.h"
#include "commands/structure_commands.h"
#include "core/algebra_store.h"
#include "core/element_names.h"
#include "core/limits.h"
#include "structure/embedding.h"

namespace kest {

namespace {

void extendMapMode(Workspace& ws, Progress&) {
  const int32_t a = ws.redMarked;
  const int32_t b = ws.greenMarked;
  if (!ws.validAlgebra(a) || !ws.validAlgebra(b)) return;
  const int32_t n = ws.algebra(a).card;
  const int32_t m = ws.algebra(b).card;
  std::vector<int32_t> map(static_cast<size_t>(n), -1);
  const std::string& text = inputString(ws);
  // Pairs "xy", one separator between them: "ab cd".
  for (size_t i = 0; i < text.size(); i += 3) {
    const int32_t x = elementOfName(text[i], ws.sig.maxNamedElements);
    const int32_t y = i + 1 < text.size() ? elementOfName(text[i + 1], ws.sig.maxNamedElements) : -1;
    if (x < 0 || x >= n || y < 0 || y >= m || (map[static_cast<size_t>(x)] >= 0 && map[static_cast<size_t>(x)] != y)) {
      ws.messages.setMessage("Bad input");
      return;
    }
    map[static_cast<size_t>(x)] = y;
  }
  if (!extendHomomorphism(ws.view(a), ws.view(b), map)) {
    ws.messages.setMessage("Not extendable");
    return;
  }
  std::vector<std::string> lines;
  for (int32_t x = 0; x < n; ++x) {
    if (map[static_cast<size_t>(x)] >= 0)
      lines.push_back(mapLine(x, map[static_cast<size_t>(x)], ws.sig.maxNamedElements));
  }
  ws.messages.setReport(std::move(lines));
}

// The lines "Embedding of A%d into A%d:" and "x -> y", or "A%d is not
// embeddable into A%d".
void embeddingReport(Workspace& ws, int32_t a, int32_t b, Progress& progress) {
  const EmbeddingSearch search = findEmbedding(ws.view(a), ws.view(b), progress);
  if (search.interrupted) {
    ws.messages.setMessage("Interrupted");
    return;
  }
  const std::string an = "A" + std::to_string(a);
  const std::string bn = "A" + std::to_string(b);
  if (!search.embedding) {
    ws.messages.setMessage(an + " is not embeddable into " + bn);
    return;
  }
  std::vector<std::string> lines{"Embedding of " + an + " into " + bn + ":"};
  // Lines past the message area would be cut: they are not written at all.
  size_t bytes = 0;
  for (size_t x = 0; x < search.embedding->size() && bytes <= kMessageBufferBytes; ++x) {
    lines.push_back(mapLine(static_cast<int32_t>(x), (*search.embedding)[x], ws.sig.maxNamedElements));
    bytes += lines.back().size() + 1;
  }
  ws.messages.setReport(std::move(lines));
}

}  // namespace

void registerMapModes(ModeTable& table) { table.add(InputMode::kExtendMap, extendMapMode); }

void embedMarkedAlgebras(Workspace& ws, Progress& progress) {
  if (isComplete(ws, ws.redMarked) && isComplete(ws, ws.greenMarked)) {
    embeddingReport(ws, ws.redMarked, ws.greenMarked, progress);
  } else {
    ws.messages.setMessage("Works for complete algebras only");
  }
}

}  // namespace kest
