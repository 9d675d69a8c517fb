#include "commands/picture_messages.h"

namespace kest {

std::string pictureFailureText(const std::string& path, PictureFailure failure) {
  const std::string failed = "Could not write " + path;
  switch (failure) {
    case PictureFailure::kNone: return "";
    case PictureFailure::kCouldNotWrite: return failed;
    case PictureFailure::kNoHasseDiagram: return failed + ": this page has no Hasse diagram";
    case PictureFailure::kOnlyVectorFormats: return failed + ": this build writes only SVG (.svg) and TikZ (.tex)";
  }
  return failed;
}

}  // namespace kest
