// Algebras read from other tools' files (UACalc's .ua, Mace4's models) and
// how their operations meet the signature. Operations are matched by
// arity: by name when every name of the file is a symbol of the signature
// of its arity, otherwise in file order within each arity onto the
// signature's operations in their numbering; an explicit mapping
// ("join=+ meet=.") overrides both. A file is taken whole or not at all:
// any operation that does not fit (an arity of 3 or more, a count that
// differs, an entry outside the algebra, a table that breaks a
// commutative or idempotent flag) refuses it with a reason.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/workspace.h"

namespace kest {

struct ForeignOperation {
  std::string name;
  int32_t arity = 0;
  std::vector<int32_t> values;  // card^arity entries, the first argument most significant
};

struct ForeignAlgebra {
  std::string name;
  int64_t card = 0;
  std::vector<ForeignOperation> operations;
};

// A name from a file as message lines may show it: control characters
// written as \n, \t or \xHH (so that no name can begin a line of its
// own), and at most 100 characters of it.
std::string visibleName(std::string_view name);

// For each operation of the signature (in its numbering), the index of the
// file's operation it gets; nothing, with a reason, when they cannot meet.
std::optional<std::vector<int32_t>> matchOperations(const Signature& sig, const ForeignAlgebra& a,
                                                    const std::string& mapping, std::string& why);

// The default matching written out as a mapping: "join=+ meet=."; empty
// when the file cannot be read with it.
std::string defaultMapping(const Signature& sig, const ForeignAlgebra& a);

// What the window's mapping panel starts from: the default matching
// written out, and why the file cannot be read with it ("" when it can:
// a table may break a flag of the symbol it meets, which another mapping
// mends). Nothing, with why, when no mapping can read the file.
struct MappingProposal {
  std::string mapping;
  std::string problem;
};
std::optional<MappingProposal> proposeMapping(const Signature& sig, const ForeignAlgebra& a, std::string& why);

// Appends every algebra (each marked as a created algebra is, shown or
// hidden by its size) and returns the index of the first. Nothing, with
// why, and nothing appended, when one does not fit.
std::optional<int32_t> appendForeignAlgebras(Workspace& ws, const std::vector<ForeignAlgebra>& algebras,
                                             const std::string& mapping, std::string& why);

}  // namespace kest
