#include "core/platform/file_stamp.h"

#include <chrono>

#include "core/platform/clock.h"
#include "core/platform/folder_listing.h"

namespace noemie::platform {

std::int64_t modified_file_time(const FileStamp& stamp) {
  // Rounded down, also before 1970: the time the system itself gives in 100-ns units.
  constexpr std::int64_t kNanosPerUnit = 100;
  std::int64_t units = stamp.modified / kNanosPerUnit;
  if (stamp.modified % kNanosPerUnit < 0) --units;
  return kFileTimeUnixEpoch + units;
}

std::optional<FileStamp> stamp_of(const FolderEntry& entry) {
  if (entry.stamp || entry.is_directory) return entry.stamp;
  return file_stamp(entry.path);
}

bool may_change_unseen(const FileStamp& stamp) {
  constexpr auto kTimeStep = std::chrono::seconds(2);
  const auto now = std::chrono::duration_cast<std::chrono::nanoseconds>(
      std::chrono::system_clock::now().time_since_epoch());
  return stamp.modified > (now - kTimeStep).count();
}

}  // namespace noemie::platform
