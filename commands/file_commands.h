// Open and Save As with a chosen path, and the binary file of the key b.
// A path ending in ".ua" means UACalc's XML file (Save As writes the
// red-marked algebra), one ending in ".mace4" Mace4's models (read only).
// A path ending in ".t" (the last two characters, case-sensitive) means the
// single-algebra file of the red-marked algebra; any other the workspace
// file. Writing goes through a temporary file, and a failure is reported in
// a message line instead of passing in silence.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/progress.h"
#include "core/workspace.h"
#include "io/foreign_algebra.h"

namespace kest {

bool endsInDotT(const std::string& path);

// Loads the file; paths shorter than three characters do nothing. A name
// ending in ".ua" (UACalc) or ".mace4" (Mace4 models) appends the algebras
// it holds, their operations matched to the signature by mapping when
// one is given ("join=+ meet=."), else by name or order.
void openFile(Workspace& ws, const std::string& path, const std::string& mapping = "",
              Progress& progress = noProgress());

// Whether the path names a file of another tool (.ua or .mace4).
bool isForeignPath(const std::string& path);

// The algebras of a file of another tool; nothing, with the message line
// that says why, when it cannot be read (or the signature is not entered
// yet), or when the user stopped the reading.
std::optional<std::vector<ForeignAlgebra>> readForeignFile(Workspace& ws, const std::string& path, Progress& progress);

// Appends them with the mapping and lists them ("Read A4 (n5, 5 elements)
// from n5.ua"), or says why not.
void appendForeignReport(Workspace& ws, const std::vector<ForeignAlgebra>& algebras, const std::string& mapping,
                         const std::string& path);

void saveFile(Workspace& ws, const std::string& path);

// Writes algebra k as a binary algebra file; an empty path does nothing.
void saveBinaryFile(Workspace& ws, int32_t k, const std::string& path);

}  // namespace kest
