#include "tests/oracle/reference_lattices.h"

#include <algorithm>
#include <set>

#include "tests/oracle/reference_structure.h"

namespace kest::oracle {

namespace {

using Element = std::vector<int32_t>;

// The equivalence join of two partitions, by merging until stable.
Element joinOfPartitions(const Element& p, const Element& q) {
  Element r(p.size());
  for (size_t i = 0; i < r.size(); ++i) r[i] = static_cast<int32_t>(i);
  for (bool changed = true; changed;) {
    changed = false;
    for (size_t i = 0; i < r.size(); ++i) {
      for (size_t j = i + 1; j < r.size(); ++j) {
        if ((p[i] == p[j] || q[i] == q[j] || r[i] == r[j]) && r[i] != r[j]) {
          const int32_t low = std::min(r[i], r[j]);
          const int32_t high = std::max(r[i], r[j]);
          for (int32_t& x : r) x = x == high ? low : x;
          changed = true;
        }
      }
    }
  }
  return r;
}

bool partitionBelowPlain(const Element& p, const Element& q) {
  for (size_t i = 0; i < p.size(); ++i) {
    for (size_t j = 0; j < p.size(); ++j) {
      if (p[i] == p[j] && q[i] != q[j]) return false;
    }
  }
  return true;
}

bool subsetPlain(const Element& s, const Element& t) { return std::includes(t.begin(), t.end(), s.begin(), s.end()); }

int32_t blocks(const Element& p) {
  std::set<int32_t> b(p.begin(), p.end());
  return static_cast<int32_t>(b.size());
}

// Join irreducible: not the least element, and the join of everything
// strictly below it falls short of it.
template <class Join, class Below>
std::vector<uint8_t> irreducibles(const std::vector<Element>& elements, Join&& join, Below&& below) {
  std::vector<uint8_t> flags(elements.size(), 0);
  for (size_t i = 0; i < elements.size(); ++i) {
    bool any = false;
    Element under;
    for (size_t j = 0; j < elements.size(); ++j) {
      if (j == i || !below(elements[j], elements[i])) continue;
      under = any ? join(under, elements[j]) : elements[j];
      any = true;
    }
    // The least element has nothing below it.
    bool least = true;
    for (size_t j = 0; j < elements.size(); ++j) least = least && below(elements[i], elements[j]);
    flags[i] = !least && (!any || under != elements[i]);
  }
  return flags;
}

}  // namespace

ReferenceLattice congruenceLatticeReference(const Workspace& ws, int32_t k) {
  const int32_t n = ws.algebra(k).card;
  Element identity(static_cast<size_t>(n));
  for (int32_t i = 0; i < n; ++i) identity[static_cast<size_t>(i)] = i;
  std::vector<Element> elements{identity};
  for (int32_t a = 0; a < n; ++a) {
    for (int32_t b = a + 1; b < n; ++b) {
      Element p = identity;
      p[static_cast<size_t>(b)] = a;
      closureReference(ws, k, p);
      if (std::find(elements.begin(), elements.end(), p) == elements.end()) elements.push_back(p);
    }
  }
  for (size_t i = 0; i < elements.size(); ++i) {
    for (size_t j = 0; j < i; ++j) {
      Element p = joinOfPartitions(elements[i], elements[j]);
      closureReference(ws, k, p);
      if (std::find(elements.begin(), elements.end(), p) == elements.end()) elements.push_back(p);
    }
  }
  std::sort(elements.begin(), elements.end(),
            [](const Element& p, const Element& q) { return blocks(p) != blocks(q) ? blocks(p) > blocks(q) : p < q; });
  std::vector<uint8_t> flags = irreducibles(elements, joinOfPartitions, partitionBelowPlain);
  return {std::move(elements), std::move(flags)};
}

ReferenceLattice subuniverseLatticeReference(const Workspace& ws, int32_t k) {
  const int32_t n = ws.algebra(k).card;
  std::vector<Element> elements;
  for (uint64_t mask = 0; mask < (uint64_t{1} << n); ++mask) {
    std::vector<uint8_t> members(static_cast<size_t>(n));
    for (int32_t x = 0; x < n; ++x) members[static_cast<size_t>(x)] = (mask >> x) & 1;
    std::vector<uint8_t> closed = members;
    closeSubuniverseReference(ws, k, closed);
    if (closed != members) continue;
    Element list;
    for (int32_t x = 0; x < n; ++x) {
      if (members[static_cast<size_t>(x)]) list.push_back(x);
    }
    elements.push_back(list);
  }
  std::sort(elements.begin(), elements.end(),
            [](const Element& s, const Element& t) { return s.size() != t.size() ? s.size() < t.size() : s < t; });
  auto join = [&](const Element& s, const Element& t) {
    std::vector<uint8_t> members(static_cast<size_t>(n), 0);
    for (int32_t x : s) members[static_cast<size_t>(x)] = 1;
    for (int32_t x : t) members[static_cast<size_t>(x)] = 1;
    closeSubuniverseReference(ws, k, members);
    Element out;
    for (int32_t x = 0; x < n; ++x) {
      if (members[static_cast<size_t>(x)]) out.push_back(x);
    }
    return out;
  };
  std::vector<uint8_t> flags = irreducibles(elements, join, subsetPlain);
  return {std::move(elements), std::move(flags)};
}

std::vector<std::pair<int32_t, int32_t>> coversReference(const ReferenceLattice& l, bool congruences) {
  const size_t count = l.elements.size();
  auto below = [&](size_t i, size_t j) {
    return congruences ? partitionBelowPlain(l.elements[i], l.elements[j]) : subsetPlain(l.elements[i], l.elements[j]);
  };
  std::vector<std::pair<int32_t, int32_t>> out;
  for (size_t i = 0; i < count; ++i) {
    for (size_t j = 0; j < count; ++j) {
      if (i == j || !below(i, j)) continue;
      bool between = false;
      for (size_t m = 0; m < count && !between; ++m) between = m != i && m != j && below(i, m) && below(m, j);
      if (!between) out.emplace_back(static_cast<int32_t>(i), static_cast<int32_t>(j));
    }
  }
  return out;
}

}  // namespace kest::oracle
