// The Hasse diagram of the lattice, embedding, Con(A) and Sub(A) pages as
// TikZ, for papers: one \node per element at the drawing's current
// coordinates (y upwards, the bottom at y = 0, in centimetres), labelled by
// its name or its index in the list, one \draw per covering pair, and
// before them a comment line "% covers: 0<1 0<2 ..." that a checker can
// compare. Join irreducibles of Con(A) and Sub(A) are filled.
#pragma once

#include <optional>
#include <string>

#include "core/workspace.h"

namespace kest {

// Whether path names a TikZ file (ends in ".tex", any case).
bool isTexPath(const std::string& path);

// The current page's diagram; nothing when the page shows none.
std::optional<std::string> pageTikz(Workspace& ws);

// Writes pageTikz to path; false when there is no diagram or the file
// cannot be written.
bool writePageTikz(Workspace& ws, const std::string& path);

}  // namespace kest
