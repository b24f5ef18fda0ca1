#pragma once
// What tells whether a file changed since it was last read, without reading it: its size and
// its last modification (and, where the system gives them, its identity and its last status
// change, which a copy that keeps the modification time still changes).

#include <cstdint>
#include <filesystem>
#include <optional>

namespace noemie::platform {

struct FileStamp {
  std::uint64_t size = 0;
  std::int64_t modified = 0;  // nanoseconds since 1970-01-01 UTC
  std::int64_t changed = 0;   // last status change where the system has one, else 0
  std::uint64_t identity = 0;

  bool operator==(const FileStamp&) const = default;
};

// The stamp of the regular file at `path` (links followed), or nothing when it is missing, is
// not a regular file or cannot be examined.
std::optional<FileStamp> file_stamp(const std::filesystem::path& path);

// The stamp's modification as a file time (100-ns units since 1601-01-01, UTC).
std::int64_t modified_file_time(const FileStamp& stamp);

// True when the file was modified so recently (less than two seconds ago by the system clock,
// or in the future) that it could change again without its stamp changing: file systems keep
// modification times in steps of up to two seconds.
bool may_change_unseen(const FileStamp& stamp);

}  // namespace noemie::platform
