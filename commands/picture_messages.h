// Why a picture of the page could not be written, and the message line
// that says so; the picture writers (draw/page_files.h) return the reason.
#pragma once

#include <string>

namespace kest {

enum class PictureFailure { kNone, kCouldNotWrite, kNoHasseDiagram, kOnlyVectorFormats };

// "" for kNone; else "Could not write PATH" and, where known, why.
std::string pictureFailureText(const std::string& path, PictureFailure failure);

}  // namespace kest
