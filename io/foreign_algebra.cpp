#include "io/foreign_algebra.h"

#include <sstream>

#include "core/algebra_store.h"
#include "core/limits.h"

namespace kest {

namespace {

std::string arityWords(int32_t arity, int32_t count) {
  const std::string word = arity == 2 ? "binary operation" : arity == 1 ? "unary operation" : "constant";
  return count == 1 ? word : word + "s";
}

int32_t signatureCount(const Signature& sig, int32_t arity) {
  return arity == 2 ? sig.binaryCount : arity == 1 ? sig.unaryCount : sig.constantCount;
}

// The signature's operations of one arity, in their numbering.
std::vector<int32_t> signatureOps(const Signature& sig, int32_t arity) {
  const int32_t first = arity == 2 ? 0 : arity == 1 ? sig.binaryCount : sig.binaryCount + sig.unaryCount;
  std::vector<int32_t> ops;
  for (int32_t i = 0; i < signatureCount(sig, arity); ++i) ops.push_back(first + i);
  return ops;
}

bool byName(const Signature& sig, const ForeignAlgebra& a) {
  std::vector<uint8_t> used(256, 0);
  for (const ForeignOperation& op : a.operations) {
    if (op.name.size() != 1 || sig.arity(op.name[0]) != op.arity) return false;
    if (used[static_cast<unsigned char>(op.name[0])]++) return false;
  }
  return true;
}

// Every entry there and an element: a partial table is refused.
bool completeTable(const ForeignOperation& op, int64_t n, std::string& why) {
  const int64_t size = op.arity == 2 ? n * n : op.arity == 1 ? n : 1;
  if (static_cast<int64_t>(op.values.size()) != size) {
    why = "operation " + op.name + " has " + std::to_string(op.values.size()) + " entries, its table on " +
          std::to_string(n) + " elements " + std::to_string(size);
    return false;
  }
  for (int32_t v : op.values) {
    if (v < 0 || v >= n) {
      why = "operation " + op.name + ": " + std::to_string(v) + " is not an element of a " + std::to_string(n) +
            "-element algebra";
      return false;
    }
  }
  return true;
}

// The table of a matched operation against the symbol's flags.
bool fitsFlags(const Signature& sig, int32_t target, const ForeignOperation& op, int64_t n, std::string& why) {
  if (op.arity != 2) return true;
  const char symbol = sig.opSymbol[static_cast<size_t>(target)];
  for (int64_t x = 0; x < n; ++x) {
    if (sig.opIdempotent[static_cast<size_t>(target)] && op.values[static_cast<size_t>(x * n + x)] != x) {
      why = "operation " + op.name + " breaks the idempotent flag of " + symbol;
      return false;
    }
    for (int64_t y = 0; y < x && sig.opCommutative[static_cast<size_t>(target)]; ++y) {
      if (op.values[static_cast<size_t>(x * n + y)] != op.values[static_cast<size_t>(y * n + x)]) {
        why = "operation " + op.name + " breaks the commutative flag of " + symbol;
        return false;
      }
    }
  }
  return true;
}

}  // namespace

std::string visibleName(std::string_view name) {
  constexpr size_t kMostShown = 100;
  std::string out;
  size_t i = 0;
  for (; i < name.size() && out.size() < kMostShown; ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (c == '\n')
      out += "\\n";
    else if (c == '\t')
      out += "\\t";
    else if (c < 0x20 || c == 0x7F) {
      static const char kHex[] = "0123456789ABCDEF";
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  if (i < name.size()) out += "...";
  return out;
}

namespace {

// What no mapping can mend: an arity of 3 or more, a table that is not
// whole, counts per arity that differ from the signature's.
bool shapesFit(const Signature& sig, const ForeignAlgebra& a, std::string& why) {
  for (const ForeignOperation& op : a.operations) {
    if (op.arity > 2 || op.arity < 0) {
      why = "operation " + op.name + " has arity " + std::to_string(op.arity) + ", a signature has arities 0 to 2 only";
      return false;
    }
    if (!completeTable(op, a.card, why)) return false;
  }
  for (int32_t arity = 2; arity >= 0; --arity) {
    int32_t count = 0;
    for (const ForeignOperation& op : a.operations) count += op.arity == arity;
    if (count != signatureCount(sig, arity)) {
      why = "it has " + std::to_string(count) + " " + arityWords(arity, count) + ", the signature has " +
            std::to_string(signatureCount(sig, arity));
      return false;
    }
  }
  return true;
}

// For each operation of the file, the signature operation it gets: by the
// mapping when one is given, else by name, else in order within each arity.
std::optional<std::vector<int32_t>> targetsOf(const Signature& sig, const ForeignAlgebra& a, const std::string& mapping,
                                              std::string& why) {
  std::vector<int32_t> target(a.operations.size(), -1);
  std::istringstream words(mapping);
  std::string word;
  bool explicitMapping = false;
  while (words >> word) {
    explicitMapping = true;
    const size_t eq = word.rfind('=');
    int32_t found = -1;
    for (size_t i = 0; i < a.operations.size() && eq != std::string::npos; ++i) {
      if (a.operations[i].name == word.substr(0, eq)) found = static_cast<int32_t>(i);
    }
    if (found < 0 || eq + 2 != word.size() ||
        sig.arity(word[eq + 1]) != a.operations[static_cast<size_t>(found)].arity) {
      why = "'" + word + "' maps no operation of the file onto a symbol of its arity";
      return std::nullopt;
    }
    target[static_cast<size_t>(found)] = sig.op(word[eq + 1]);
  }
  if (!explicitMapping && byName(sig, a)) {
    for (size_t i = 0; i < a.operations.size(); ++i) target[i] = sig.op(a.operations[i].name[0]);
  } else if (!explicitMapping) {
    for (int32_t arity = 0; arity <= 2; ++arity) {
      const std::vector<int32_t> ops = signatureOps(sig, arity);
      size_t next = 0;
      for (size_t i = 0; i < a.operations.size(); ++i) {
        if (a.operations[i].arity == arity) target[i] = ops[next++];
      }
    }
  }
  return target;
}

// The file's operation of every signature operation, from the targets.
std::optional<std::vector<int32_t>> sourcesOf(const Signature& sig, const ForeignAlgebra& a,
                                              const std::vector<int32_t>& target, std::string& why) {
  std::vector<int32_t> source(static_cast<size_t>(sig.operationCount), -1);
  for (size_t i = 0; i < a.operations.size(); ++i) {
    if (target[i] < 0) {
      why = "the mapping names no symbol for " + a.operations[i].name;
      return std::nullopt;
    }
    if (source[static_cast<size_t>(target[i])] >= 0) {
      why =
          "the mapping gives two operations the symbol " + std::string(1, sig.opSymbol[static_cast<size_t>(target[i])]);
      return std::nullopt;
    }
    source[static_cast<size_t>(target[i])] = static_cast<int32_t>(i);
  }
  return source;
}

std::string mappingText(const Signature& sig, const ForeignAlgebra& a, const std::vector<int32_t>& source) {
  std::string text;
  for (size_t s = 0; s < source.size(); ++s) {
    if (!text.empty()) text += ' ';
    text += a.operations[static_cast<size_t>(source[s])].name + "=" + sig.opSymbol[s];
  }
  return text;
}

}  // namespace

std::optional<std::vector<int32_t>> matchOperations(const Signature& sig, const ForeignAlgebra& a,
                                                    const std::string& mapping, std::string& why) {
  if (!shapesFit(sig, a, why)) return std::nullopt;
  const std::optional<std::vector<int32_t>> target = targetsOf(sig, a, mapping, why);
  if (!target) return std::nullopt;
  std::optional<std::vector<int32_t>> source = sourcesOf(sig, a, *target, why);
  if (!source) return std::nullopt;
  for (size_t i = 0; i < a.operations.size(); ++i) {
    if (!fitsFlags(sig, (*target)[i], a.operations[i], a.card, why)) return std::nullopt;
  }
  return source;
}

std::optional<MappingProposal> proposeMapping(const Signature& sig, const ForeignAlgebra& a, std::string& why) {
  if (!shapesFit(sig, a, why)) return std::nullopt;
  const std::optional<std::vector<int32_t>> target = targetsOf(sig, a, "", why);
  const std::optional<std::vector<int32_t>> source = target ? sourcesOf(sig, a, *target, why) : std::nullopt;
  if (!source) return std::nullopt;
  MappingProposal proposal{mappingText(sig, a, *source), ""};
  matchOperations(sig, a, "", proposal.problem);
  return proposal;
}

std::string defaultMapping(const Signature& sig, const ForeignAlgebra& a) {
  std::string why;
  const std::optional<MappingProposal> proposal = proposeMapping(sig, a, why);
  return proposal && proposal->problem.empty() ? proposal->mapping : "";
}

std::optional<int32_t> appendForeignAlgebras(Workspace& ws, const std::vector<ForeignAlgebra>& algebras,
                                             const std::string& mapping, std::string& why) {
  std::vector<std::vector<int32_t>> sources;
  for (const ForeignAlgebra& a : algebras) {
    const std::string which = algebras.size() > 1 ? a.name + ": " : "";
    if (a.card < 0 || a.card > kMaxCardinality) {
      why = which + std::to_string(a.card) + " elements are more than an algebra can have (" +
            std::to_string(kMaxCardinality) + ")";
      return std::nullopt;
    }
    if (!tableFits(ws, a.card)) {
      why = which + "the tables of this signature on " + std::to_string(a.card) + " elements would exceed the " +
            std::to_string(kMaxTableEntries) + " entries an algebra may have";
      return std::nullopt;
    }
    std::optional<std::vector<int32_t>> source = matchOperations(ws.sig, a, mapping, why);
    if (!source) {
      why = which + why;
      return std::nullopt;
    }
    sources.push_back(std::move(*source));
  }
  if (ws.algebraCount() + static_cast<int64_t>(algebras.size()) > kMaxAlgebras) {
    why = "the store of algebras is full";
    return std::nullopt;
  }
  const int32_t first = ws.algebraCount();
  for (size_t i = 0; i < algebras.size(); ++i) {
    const ForeignAlgebra& a = algebras[i];
    const int32_t k = createAlgebra(ws, a.card);
    const TableLayout lay = ws.layout(k);
    std::vector<int32_t>& t = ws.algebra(k).table;
    for (size_t s = 0; s < sources[i].size(); ++s) {
      const std::vector<int32_t>& values = a.operations[static_cast<size_t>(sources[i][s])].values;
      const int32_t op = static_cast<int32_t>(s);
      const int64_t at = op < ws.sig.binaryCount ? lay.binary(op, 0, 0)
                         : op < ws.sig.binaryCount + ws.sig.unaryCount
                             ? lay.unary(op, 0)
                             : lay.constant(op - ws.sig.binaryCount - ws.sig.unaryCount);
      std::copy(values.begin(), values.end(), t.begin() + at);
    }
  }
  relayout(ws);
  return first;
}

}  // namespace kest
