#include "commands/info_page.h"

#include "core/algebra_store.h"

namespace kest {

std::vector<PageText> infoPageItems(const Workspace& ws) {
  std::vector<PageText> items;
  items.push_back({"The signature consists of:", 10, 10});
  const Signature& sig = ws.sig;
  for (int32_t s = 0; s < sig.operationCount; ++s) {
    std::string text(1, sig.opSymbol[static_cast<size_t>(s)]);
    text += "   arity " + std::to_string(sig.opArity[static_cast<size_t>(s)]);
    const bool c = sig.opCommutative[static_cast<size_t>(s)] != 0;
    const bool i = sig.opIdempotent[static_cast<size_t>(s)] != 0;
    if (c && i)
      text += " commutative and idempotent";
    else if (c)
      text += " commutative";
    else if (i)
      text += " idempotent";
    items.push_back({std::move(text), 40, 30 + 16 * s});
  }
  for (int32_t k = 0; k < ws.algebraCount(); ++k) {
    const int32_t y = 16 * sig.operationCount + 50 + 16 * k;
    items.push_back({"A" + std::to_string(k), 10, y});
    items.push_back({isComplete(ws, k) ? "complete" : "partial", 35, y});
    items.push_back({ws.algebra(k).displayed ? "displayed" : "hidden", 98, y});
  }
  return items;
}

std::vector<std::string> infoPageLines(const Workspace& ws) {
  std::vector<std::string> lines;
  int32_t lastY = -1;
  for (const PageText& item : infoPageItems(ws)) {
    if (!lines.empty() && item.y == lastY)
      lines.back() += " " + item.text;
    else
      lines.push_back(item.text);
    lastY = item.y;
  }
  return lines;
}

}  // namespace kest
