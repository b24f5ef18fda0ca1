#include "core/platform/heap_room.h"

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#endif

namespace noemie::platform {

#if defined(__GLIBC__)

namespace {

constexpr std::size_t kLargePage = std::size_t{2} << 20;
constexpr std::size_t kPage = 4096;
// The most the allocator serves from its heap rather than mapping it apart (its own upper
// bound on 64-bit systems): a table of a few hundred thousand rows then lies in the room too.
constexpr std::size_t kMostFromHeap = std::size_t{32} << 20;
// The allocator's default growth beyond each request.
constexpr std::size_t kDefaultTopPad = std::size_t{128} << 10;

std::uintptr_t round_up(std::uintptr_t value, std::size_t step) {
  return (value + step - 1) / step * step;
}

}  // namespace

void share_one_heap() {
  mallopt(M_ARENA_MAX, 1);
}

void expect_heap_use(std::size_t bytes) {
  if (bytes < kLargePageHeap) return;  // too little to be worth the heap it keeps
  // Room freed at the top stays for what comes next rather than going back at once, and
  // blocks of up to 32 MB come from the heap's room.
  const std::size_t keep = std::min<std::size_t>(bytes, std::size_t{512} << 20);
  mallopt(M_TRIM_THRESHOLD, static_cast<int>(2 * keep));
  mallopt(M_MMAP_THRESHOLD, static_cast<int>(kMostFromHeap));
  // The free room at the top of the heap, and elsewhere in it. Asking for a little more than
  // any free block holds makes the heap grow, by what is missing, at once.
  const struct mallinfo2 heap = mallinfo2();
  const std::size_t top = heap.keepcost;
  const std::size_t probe = std::max(top, heap.fordblks - top) + kPage;
  char* const old_end = static_cast<char*>(sbrk(0));
  if (top < keep && probe < kMostFromHeap) {
    mallopt(M_TOP_PAD, static_cast<int>(keep - top));
    // Kept in a volatile: the compiler would otherwise drop an allocation freed unused.
    void* volatile grown = std::malloc(probe);
    std::free(grown);
    mallopt(M_TOP_PAD, static_cast<int>(kDefaultTopPad));
  }
  char* const new_end = static_cast<char*>(sbrk(0));
  if (old_end == reinterpret_cast<char*>(-1) || new_end <= old_end) return;
  // Large pages for the whole room at the top, not yet touched where it is new.
  const auto first = round_up(reinterpret_cast<std::uintptr_t>(old_end - top), kLargePage);
  const auto end = reinterpret_cast<std::uintptr_t>(new_end) / kLargePage * kLargePage;
  if (end > first) {
    madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
  }
}

#else

void share_one_heap() {}
void expect_heap_use(std::size_t) {}

#endif

}  // namespace noemie::platform
