#include "core/platform/read_only_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/platform/clock.h"

namespace noemie::platform {
namespace {

FileStamp stamp_of(const struct stat& info) {
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

}  // namespace

std::optional<FileStamp> file_stamp(const std::filesystem::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return stamp_of(info);
}

ReadOnlyFile::ReadOnlyFile(const std::filesystem::path& path) {
  // Non-blocking, so that opening a pipe returns at once; it is refused just below.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return;
  handle_ = fd;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return;
  open_ = true;
  size_ = static_cast<std::uint64_t>(info.st_size);
  file_time_ = kFileTimeUnixEpoch +
               static_cast<std::int64_t>(info.st_mtim.tv_sec) * kFileTimeUnitsPerSecond +
               static_cast<std::int64_t>(info.st_mtim.tv_nsec) / 100;
  stamp_ = stamp_of(info);
}

ReadOnlyFile::~ReadOnlyFile() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

std::size_t ReadOnlyFile::read(unsigned char* to, std::size_t count) {
  if (!open_) return 0;
  for (;;) {
    const ssize_t n = ::read(static_cast<int>(handle_), to, count);
    if (n < 0 && errno == EINTR) continue;
    return n > 0 ? static_cast<std::size_t>(n) : 0;
  }
}

}  // namespace noemie::platform
