#include "core/allocator_tuning.h"

#include <cstdlib>  // defines __GLIBC__ on the GNU C library

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace kest {

void keepFreedMemoryForReuse() {
#if defined(__GLIBC__)
  // Blocks below 4 MiB come from the heap, and up to 64 MiB of free heap
  // stays with the process; larger blocks (tables of hundreds of
  // megabytes) are still mapped and returned on their own.
  mallopt(M_MMAP_THRESHOLD, 4 << 20);
  mallopt(M_TRIM_THRESHOLD, 64 << 20);
#endif
}

}  // namespace kest
