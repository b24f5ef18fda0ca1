#include "core/noemie/file_stamp.h"

#include <chrono>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <sys/stat.h>
#define NOEMIE_POSIX_STAT 1
#endif

namespace noemie {
namespace {

constexpr auto kTimeStep = std::chrono::seconds(2);

}  // namespace

std::optional<FileStamp> file_stamp(const std::filesystem::path& path) {
#ifdef NOEMIE_POSIX_STAT
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return file_stamp_of(info);
#else
  std::error_code ec;
  const std::filesystem::file_status status = std::filesystem::status(path, ec);
  if (ec || !std::filesystem::is_regular_file(status)) return std::nullopt;
  FileStamp stamp;
  stamp.size = std::filesystem::file_size(path, ec);
  if (ec) return std::nullopt;
  const auto modified = std::filesystem::last_write_time(path, ec);
  if (ec) return std::nullopt;
  stamp.modified = static_cast<std::int64_t>(modified.time_since_epoch().count());
  return stamp;
#endif
}

#ifdef NOEMIE_POSIX_STAT
FileStamp file_stamp_of(const struct stat& info) {
  constexpr std::int64_t kNanosPerSecond = 1'000'000'000;
#ifdef __APPLE__
  const auto& m = info.st_mtimespec;
  const auto& c = info.st_ctimespec;
#else
  const auto& m = info.st_mtim;
  const auto& c = info.st_ctim;
#endif
  FileStamp stamp;
  stamp.size = static_cast<std::uint64_t>(info.st_size);
  stamp.modified = static_cast<std::int64_t>(m.tv_sec) * kNanosPerSecond + m.tv_nsec;
  stamp.changed = static_cast<std::int64_t>(c.tv_sec) * kNanosPerSecond + c.tv_nsec;
  stamp.identity =
      static_cast<std::uint64_t>(info.st_ino) ^ (static_cast<std::uint64_t>(info.st_dev) << 32);
  return stamp;
}
#endif

bool may_change_unseen(const FileStamp& stamp) {
#ifdef NOEMIE_POSIX_STAT
  const auto now = std::chrono::duration_cast<std::chrono::nanoseconds>(
      std::chrono::system_clock::now().time_since_epoch());
  return stamp.modified > (now - kTimeStep).count();
#else
  const auto now = std::filesystem::file_time_type::clock::now().time_since_epoch();
  return stamp.modified >
         std::chrono::duration_cast<std::filesystem::file_time_type::duration>(now - kTimeStep)
             .count();
#endif
}

}  // namespace noemie
