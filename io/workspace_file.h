// The workspace file: a header "S T F D" (symbols, named terms, listed
// formulas, displayed algebras), the signature line ("+ci.ci"), the terms
// and formulas in Polish notation, then one block per displayed algebra:
// its card, its NB*n + NU table rows of element names ("." undefined) and,
// with constants, a constants line. Lines end in CR LF.
#pragma once

#include <string>
#include <string_view>

#include "core/workspace.h"

namespace kest {

// "+ci.ci": every symbol in operation order, a binary one followed by "c"
// when commutative and then "i" when idempotent.
std::string signatureLine(const Signature& sig);

// The text of the file for the current workspace.
std::string workspaceFileText(const Workspace& ws);

enum class LoadStatus { kLoaded, kRejected };

// Reads a workspace file and, when it is sound, replaces the workspace by
// it (as after New, with the file's signature). A file that is not sound
// (a header of other than four numbers, fewer lines than it announces, a
// signature of another size, a term or formula that does not parse, a row
// shorter than its algebra, an entry that is neither '.' nor an element of
// its algebra, a card the store or the file's length cannot hold) changes
// nothing and says why, with its line, in why.
LoadStatus loadWorkspaceText(Workspace& ws, std::string_view text, std::string* why = nullptr);

}  // namespace kest
