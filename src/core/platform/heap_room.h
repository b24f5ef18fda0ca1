#pragma once
// How the process's heap takes a large amount of data that lives until the end (the rows of a
// big fill). Fresh memory costs the system a fault per page on its first touch; on a machine
// where that fault is dear (a virtual machine), hundreds of megabytes of rows spend more time
// in faults than in reading. Where the system can, the heap then grows at once and is backed
// by large pages, one fault per 2 MB. Nothing here changes what any allocation gives.

#include <cstddef>

namespace noemie::platform {

// Every thread allocates from one heap (where the C library gives each thread a heap of its
// own). A fill's reading threads make the rows, the window's thread frees them at the next
// fill, and the reading threads of that fill, whichever they are, then take the same memory
// again instead of pages the system must map afresh; the room expect_heap_use makes serves
// them all. To be called before any thread starts.
void share_one_heap();

// A heap worth backing by large pages from the start.
inline constexpr std::size_t kLargePageHeap = std::size_t{32} << 20;

// About `bytes` more are about to be allocated and kept: the heap makes room for them now,
// on large pages where the system has them. A hint only: below kLargePageHeap, or where the
// system offers nothing of the kind, it does nothing.
void expect_heap_use(std::size_t bytes);

}  // namespace noemie::platform
