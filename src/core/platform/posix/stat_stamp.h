#pragma once
// A file's stamp from what stat gives, alike whether it came from the folder listing (fstatat)
// or from the file opened for reading (fstat), so that the two compare.

#include <sys/stat.h>

#include "core/platform/file_stamp.h"

namespace noemie::platform::posix {

inline FileStamp stamp_of(const struct stat& info) {
  constexpr std::int64_t kNanosPerSecond = 1'000'000'000;
  FileStamp stamp;
  stamp.size = static_cast<std::uint64_t>(info.st_size);
  stamp.modified =
      static_cast<std::int64_t>(info.st_mtim.tv_sec) * kNanosPerSecond + info.st_mtim.tv_nsec;
  stamp.changed =
      static_cast<std::int64_t>(info.st_ctim.tv_sec) * kNanosPerSecond + info.st_ctim.tv_nsec;
  stamp.identity =
      static_cast<std::uint64_t>(info.st_ino) ^ (static_cast<std::uint64_t>(info.st_dev) << 32);
  return stamp;
}

}  // namespace noemie::platform::posix
