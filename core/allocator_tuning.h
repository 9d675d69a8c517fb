// The C library returns freed memory to the kernel as soon as a few hundred
// kilobytes lie free at the top of the heap, and serves blocks from 128 KiB
// up with fresh mappings: a command that builds and frees megabytes of
// scratch (a lattice's table, its listing) then pays a page fault per
// 4 KiB again each time it runs, a quarter of its time on small lattices.
// Kept, freed memory serves the next command.
#pragma once

namespace kest {

// Called once, first thing in main.
void keepFreedMemoryForReuse();

}  // namespace kest
