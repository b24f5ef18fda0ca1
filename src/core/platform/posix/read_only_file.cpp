#include "core/platform/read_only_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "core/platform/posix/stat_stamp.h"

namespace noemie::platform {
namespace {

// Linux moves at most about 2 GiB per read.
constexpr std::size_t kMaxReadChunk = std::size_t{1} << 30;

}  // namespace

std::optional<FileStamp> file_stamp(const std::filesystem::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return posix::stamp_of(info);
}

ReadOnlyFile::ReadOnlyFile(const std::filesystem::path& path) {
  // Non-blocking, so that opening a pipe returns at once; it is refused just below.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return;
  handle_ = fd;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return;
  open_ = true;
  stamp_ = posix::stamp_of(info);
  size_ = stamp_.size;
  file_time_ = modified_file_time(stamp_);
}

// The listing saved nothing here: fstat on the open file is cheap, and it tells what was
// opened (a pipe put in the file's place since is still refused).
ReadOnlyFile::ReadOnlyFile(const std::filesystem::path& path, const FileStamp& /*listed*/)
    : ReadOnlyFile(path) {}

ReadOnlyFile::~ReadOnlyFile() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

std::size_t ReadOnlyFile::read(unsigned char* to, std::size_t count) {
  if (!open_) return 0;
  std::size_t done = 0;
  while (done < count) {
    const std::size_t asked = std::min(count - done, kMaxReadChunk);
    const ssize_t n = ::read(static_cast<int>(handle_), to + done, asked);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
    // A regular file gives less than asked only at its end.
    if (static_cast<std::size_t>(n) < asked) break;
  }
  return done;
}

}  // namespace noemie::platform
