// Open and Save As with a chosen path, and the binary file of the key b.
// A path ending in ".t" (the last two characters, case-sensitive) means the
// single-algebra file of the red-marked algebra; any other the workspace
// file. Writing goes through a temporary file, and a failure is reported in
// a message line instead of passing in silence.
#pragma once

#include <cstdint>
#include <string>

#include "core/workspace.h"

namespace kest {

bool endsInDotT(const std::string& path);

// Loads the file; paths shorter than three characters do nothing.
void openFile(Workspace& ws, const std::string& path);

void saveFile(Workspace& ws, const std::string& path);

// Writes algebra k as a binary algebra file; an empty path does nothing.
void saveBinaryFile(Workspace& ws, int32_t k, const std::string& path);

}  // namespace kest
