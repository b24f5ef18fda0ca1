#include "core/platform/file_stamp.h"

#include <chrono>

namespace noemie::platform {

bool may_change_unseen(const FileStamp& stamp) {
  constexpr auto kTimeStep = std::chrono::seconds(2);
  const auto now = std::chrono::duration_cast<std::chrono::nanoseconds>(
      std::chrono::system_clock::now().time_since_epoch());
  return stamp.modified > (now - kTimeStep).count();
}

}  // namespace noemie::platform
