#pragma once
// A return file opened for reading: one open, and the size and time stamp of what was opened,
// with no further lookup of its name (a folder of thousands of returns is read on every fill,
// and each extra lookup of a name costs as much as reading a small file).

#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "core/platform/file_stamp.h"

namespace noemie::platform {

class ReadOnlyFile {
 public:
  // Opens `path` for reading, sharing it with writers. Only a regular file opens: a folder, a
  // pipe or a device does not, and opening one never waits (a named pipe with no writer
  // would otherwise block for ever). Check is_open().
  explicit ReadOnlyFile(const std::filesystem::path& path);
  // The same for a regular file whose stamp a folder listing just gave as `listed`: where
  // the system would need further calls to tell the size and times (Windows), they are
  // taken from the listing, so that the file costs one open, its reads and one close.
  ReadOnlyFile(const std::filesystem::path& path, const FileStamp& listed);
  ~ReadOnlyFile();
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  bool is_open() const { return open_; }
  // Size in bytes when opened (or listed): what a read of the whole file should give.
  std::uint64_t size() const { return size_; }
  // Last modification as a file time (100-ns units since 1601-01-01, UTC).
  std::int64_t file_time() const { return file_time_; }
  // What tells, later, whether the file changed since this open (or the listing).
  const FileStamp& stamp() const { return stamp_; }

  // Reads up to `count` bytes into `to`; the number read. Fewer than `count` means that the
  // end of the file was reached (or that reading failed).
  std::size_t read(unsigned char* to, std::size_t count);

 private:
  std::intptr_t handle_ = -1;  // a descriptor on POSIX, a HANDLE on Windows
  bool open_ = false;
  std::uint64_t size_ = 0;
  std::int64_t file_time_ = 0;
  FileStamp stamp_;
};

}  // namespace noemie::platform
