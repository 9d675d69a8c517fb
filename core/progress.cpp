#include "core/progress.h"

namespace kest {

Progress& noProgress() {
  static NoProgress none;
  return none;
}

}  // namespace kest
