#include "core/noemie/file_loading.h"

#include <cerrno>
#include <cstdint>
#include <fstream>
#include <new>
#include <optional>
#include <system_error>

#include "core/platform/clock.h"

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#define NOEMIE_POSIX_FILES 1
#endif

namespace noemie {
namespace {

std::unique_ptr<unsigned char[]> buffer_for(std::uintmax_t file_size) {
  // The whole file, whatever its size: one too large for memory is a lack of memory.
  const auto size = static_cast<std::size_t>(file_size);
  if (size != file_size || size > static_cast<std::size_t>(PTRDIFF_MAX)) throw std::bad_alloc();
  return std::make_unique_for_overwrite<unsigned char[]>(size);
}

#ifdef NOEMIE_POSIX_FILES

// One open, one fstat and the reads: a folder of thousands of returns is read on every fill,
// and each extra lookup of a name costs as much as reading a small file.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

int load_posix(const std::filesystem::path& path, std::unique_ptr<unsigned char[]>& buffer,
               std::size_t& read, std::int64_t& file_time, FileStamp* stamp) {
  // Non-blocking, so that opening a pipe returns at once; it is refused just below.
  Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.get() < 0) return 0;
  struct stat info {};
  if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return 0;
  if (stamp) *stamp = file_stamp_of(info);
  // The time stamp comes with the same fstat, sparing the list a lookup of every name.
  file_time = platform::kFileTimeUnixEpoch +
              static_cast<std::int64_t>(info.st_mtim.tv_sec) * platform::kFileTimeUnitsPerSecond +
              static_cast<std::int64_t>(info.st_mtim.tv_nsec) / 100;
  buffer = buffer_for(static_cast<std::uintmax_t>(info.st_size));
  const auto size = static_cast<std::size_t>(info.st_size);
  read = 0;
  while (read < size) {
    const ssize_t n = ::read(file.get(), buffer.get() + read, size - read);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    read += static_cast<std::size_t>(n);
  }
  return -1;
}

#else

int load_portable(const std::filesystem::path& path, std::unique_ptr<unsigned char[]>& buffer,
                  std::size_t& read, std::int64_t& file_time, FileStamp* stamp) {
  if (stamp) {
    const std::optional<FileStamp> before = file_stamp(path);
    if (!before) return 0;
    *stamp = *before;
  }
  std::error_code ec;
  if (!std::filesystem::is_regular_file(std::filesystem::status(path, ec)) || ec) return 0;
  std::ifstream file(path, std::ios::binary);
  if (!file) return 0;
  const std::uintmax_t file_size = std::filesystem::file_size(path, ec);
  if (ec) return 0;
  const auto modified = std::filesystem::last_write_time(path, ec);
  if (!ec) {
    file_time =
        platform::to_file_time(std::chrono::clock_cast<std::chrono::system_clock>(modified));
  }
  buffer = buffer_for(file_size);
  file.read(reinterpret_cast<char*>(buffer.get()), static_cast<std::streamsize>(file_size));
  read = static_cast<std::size_t>(file.gcount());
  return -1;
}

#endif

}  // namespace

int load_file(const std::filesystem::path& path, std::unique_ptr<unsigned char[]>& buffer,
              std::size_t& read, std::int64_t& file_time, FileStamp* stamp) {
#ifdef NOEMIE_POSIX_FILES
  return load_posix(path, buffer, read, file_time, stamp);
#else
  return load_portable(path, buffer, read, file_time, stamp);
#endif
}

}  // namespace noemie
