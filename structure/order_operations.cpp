#include "structure/order_operations.h"

#include "core/element_names.h"

namespace kest {

namespace {

size_t at(int32_t n, int32_t x, int32_t y) {
  return static_cast<size_t>(x) * static_cast<size_t>(n) + static_cast<size_t>(y);
}

// The n*n block of binary operation op of algebra k.
int32_t* binaryBlock(Workspace& ws, int32_t k, int32_t op) {
  Algebra& a = ws.algebra(k);
  return a.table.data() + static_cast<size_t>(op) * at(a.card, a.card, 0);
}

bool namesBeyond(std::string_view text, int32_t n, int32_t maxNamed) {
  for (char c : text) {
    if (elementOfName(c, maxNamed) >= n) return true;
  }
  return false;
}

bool conservativeFromRelation(Workspace& ws, int32_t k, int32_t op, std::string_view text, bool closed) {
  const int32_t n = ws.algebra(k).card;
  std::optional<std::vector<uint8_t>> rel = readRelationText(text, n, ws.sig.maxNamedElements);
  if (!rel) return false;
  if (closed) closeTransitively(*rel, n);
  int32_t* t = binaryBlock(ws, k, op);
  for (int32_t x = 0; x < n; ++x) {
    for (int32_t y = 0; y < n; ++y) t[at(n, x, y)] = (*rel)[at(n, x, y)] ? x : y;
  }
  return true;
}

// The greatest common lower bound of x and y in the order le (the least
// common upper bound when up), found as typed users expect: start from the
// common bound of highest index, climb to every common bound above it in
// increasing order, then check that it is above all of them. -1 if none.
int32_t commonBound(const std::vector<uint8_t>& le, int32_t n, int32_t x, int32_t y, bool up) {
  auto below = [&](int32_t u, int32_t v) { return up ? le[at(n, v, u)] != 0 : le[at(n, u, v)] != 0; };
  auto common = [&](int32_t e) { return below(e, x) && below(e, y); };
  int32_t candidate = -1;
  for (int32_t e = n - 1; e >= 0 && candidate < 0; --e) {
    if (common(e)) candidate = e;
  }
  if (candidate < 0) return -1;
  for (int32_t e = 0; e < n; ++e) {
    if (common(e) && below(candidate, e)) candidate = e;
  }
  for (int32_t e = 0; e < n; ++e) {
    if (common(e) && !below(e, candidate)) return -1;
  }
  return candidate;
}

bool boundFromOrder(Workspace& ws, int32_t k, int32_t op, std::string_view text, bool join) {
  const int32_t n = ws.algebra(k).card;
  std::optional<std::vector<uint8_t>> le = readRelationText(text, n, ws.sig.maxNamedElements);
  if (!le) return false;
  closeTransitively(*le, n);
  for (int32_t x = 0; x < n; ++x) {
    for (int32_t y = 0; y < n; ++y) {
      if (x != y && (*le)[at(n, x, y)] && (*le)[at(n, y, x)]) return false;  // a cycle
    }
  }
  std::vector<int32_t> result(at(n, n, 0));
  for (int32_t x = 0; x < n; ++x) {
    for (int32_t y = 0; y < n; ++y) {
      int32_t v = x;
      if (x != y) {
        if ((*le)[at(n, x, y)])
          v = join ? y : x;
        else
          v = commonBound(*le, n, x, y, join);
      }
      if (v < 0) return false;
      result[at(n, x, y)] = v;
    }
  }
  std::copy(result.begin(), result.end(), binaryBlock(ws, k, op));
  return true;
}

}  // namespace

std::optional<std::vector<uint8_t>> readRelationText(std::string_view text, int32_t n, int32_t maxNamedElements) {
  if (namesBeyond(text, n, maxNamedElements)) return std::nullopt;
  std::vector<uint8_t> rel(at(n, n, 0), 0);
  for (int32_t x = 0; x < n; ++x) rel[at(n, x, x)] = 1;
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    const int32_t u = elementOfName(text[i], maxNamedElements);
    const int32_t v = elementOfName(text[i + 1], maxNamedElements);
    if (u >= 0 && v >= 0) rel[at(n, u, v)] = 1;
  }
  return rel;
}

void closeTransitively(std::vector<uint8_t>& rel, int32_t n) {
  for (int32_t y = 0; y < n; ++y) {
    for (int32_t x = 0; x < n; ++x) {
      if (!rel[at(n, x, y)]) continue;
      for (int32_t z = 0; z < n; ++z) rel[at(n, x, z)] |= rel[at(n, y, z)];
    }
  }
}

void linearOperation(Workspace& ws, int32_t k, int32_t op, int32_t a, int32_t b, int32_t c) {
  const int32_t n = ws.algebra(k).card;
  int32_t* t = binaryBlock(ws, k, op);
  for (int32_t x = 0; x < n; ++x) {
    for (int32_t y = 0; y < n; ++y) {
      t[at(n, x, y)] = static_cast<int32_t>((c + int64_t{a} * x + int64_t{b} * y) % n);
    }
  }
  if (ws.sig.opIdempotent[static_cast<size_t>(op)]) {
    for (int32_t x = 0; x < n; ++x) t[at(n, x, x)] = x;
  }
  if (ws.sig.opCommutative[static_cast<size_t>(op)]) {
    for (int32_t x = 0; x < n; ++x) {
      for (int32_t y = x + 1; y < n; ++y) t[at(n, x, y)] = t[at(n, y, x)];
    }
  }
}

bool linesOperation(Workspace& ws, int32_t k, int32_t op, std::string_view text) {
  const int32_t n = ws.algebra(k).card;
  const int32_t maxNamed = ws.sig.maxNamedElements;
  if (namesBeyond(text, n, maxNamed)) return false;
  int32_t* t = binaryBlock(ws, k, op);
  std::fill(t, t + at(n, n, 0), -1);
  for (int32_t x = 0; x < n; ++x) t[at(n, x, x)] = x;
  size_t i = 0;
  while (i < text.size()) {
    std::vector<int32_t> line;
    while (i < text.size() && elementOfName(text[i], maxNamed) >= 0) line.push_back(elementOfName(text[i++], maxNamed));
    if (line.empty()) ++i;
    if (line.size() < 2) continue;
    for (size_t p = 0; p < line.size(); ++p) {
      for (size_t q = p + 1; q < line.size(); ++q) {
        if (line[p] == line[q]) continue;
        t[at(n, line[p], line[q])] = line.back();
        t[at(n, line[q], line[p])] = line.front();
      }
    }
  }
  for (int32_t x = 0; x < n; ++x) {
    for (int32_t y = 0; y < n; ++y) {
      if (t[at(n, x, y)] < 0) t[at(n, x, y)] = y;
    }
  }
  if (ws.sig.opCommutative[static_cast<size_t>(op)]) {
    for (int32_t x = 0; x < n; ++x) {
      for (int32_t y = x + 1; y < n; ++y) t[at(n, y, x)] = t[at(n, x, y)];
    }
  }
  return true;
}

bool graphOperation(Workspace& ws, int32_t k, int32_t op, std::string_view text) {
  return conservativeFromRelation(ws, k, op, text, false);
}

bool orderOperation(Workspace& ws, int32_t k, int32_t op, std::string_view text) {
  return conservativeFromRelation(ws, k, op, text, true);
}

bool meetFromOrder(Workspace& ws, int32_t k, std::string_view text) {
  const int32_t dot = ws.sig.op('.');
  return dot >= 0 && ws.sig.opArity[static_cast<size_t>(dot)] == 2 && boundFromOrder(ws, k, dot, text, false);
}

bool joinFromOrder(Workspace& ws, int32_t k, std::string_view text) {
  return ws.sig.binaryCount > 0 && boundFromOrder(ws, k, 0, text, true);
}

}  // namespace kest
