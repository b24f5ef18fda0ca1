#include "core/platform/heap_room.h"

namespace noemie::platform {

// The Windows heap serves every thread and maps its room as it sees fit.
void share_one_heap() {}
void expect_heap_use(std::size_t) {}

}  // namespace noemie::platform
