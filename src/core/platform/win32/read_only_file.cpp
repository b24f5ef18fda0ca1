#include "core/platform/read_only_file.h"

#include <windows.h>

#include <algorithm>

#include "core/platform/clock.h"
#include "core/platform/win32/long_path.h"

namespace noemie::platform {
namespace {

// One ReadFile moves at most 4 GiB - 1 bytes.
constexpr std::size_t kMaxReadChunk = std::size_t{1} << 30;

// Shared with writers and with renames, as the suite's other programs expect of a reader.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

}  // namespace

ReadOnlyFile::ReadOnlyFile(const std::filesystem::path& path) {
  // FILE_FLAG_BACKUP_SEMANTICS lets a folder open too, so that it is told apart and refused
  // below rather than failing with a misleading error.
  const HANDLE file = CreateFileW(win32::long_path(path).c_str(), GENERIC_READ, kShareAll, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  handle_ = reinterpret_cast<std::intptr_t>(file);
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return;
  }
  open_ = true;
  size_ = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  // A FILETIME is already a count of 100-ns units since 1601, UTC.
  file_time_ = static_cast<std::int64_t>(
      (static_cast<std::uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) |
      info.ftLastWriteTime.dwLowDateTime);
  stamp_.size = size_;
  stamp_.modified = (file_time_ - kFileTimeUnixEpoch) * 100;
  stamp_.identity = ((static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow) ^
                    (static_cast<std::uint64_t>(info.dwVolumeSerialNumber) << 32);
}

ReadOnlyFile::ReadOnlyFile(const std::filesystem::path& path, const FileStamp& listed) {
  // The listing saw a regular file that is no link. Without FILE_FLAG_BACKUP_SEMANTICS a
  // folder put in its place does not open, and with FILE_FLAG_OPEN_REPARSE_POINT a link put
  // in its place is not followed to a pipe or a device: what opens is a file on a disk,
  // and nothing more need be asked of it.
  const HANDLE file =
      CreateFileW(win32::long_path(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                  FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  handle_ = reinterpret_cast<std::intptr_t>(file);
  open_ = true;
  stamp_ = listed;
  size_ = listed.size;
  file_time_ = modified_file_time(listed);
}

// Opening a file is how Windows tells its size, time and identity in one call.
std::optional<FileStamp> file_stamp(const std::filesystem::path& path) {
  const ReadOnlyFile file(path);
  if (!file.is_open()) return std::nullopt;
  return file.stamp();
}

ReadOnlyFile::~ReadOnlyFile() {
  if (handle_ != -1) CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

std::size_t ReadOnlyFile::read(unsigned char* to, std::size_t count) {
  if (!open_) return 0;
  std::size_t done = 0;
  while (done < count) {
    const auto asked = static_cast<DWORD>(std::min(count - done, kMaxReadChunk));
    DWORD read = 0;
    if (!ReadFile(reinterpret_cast<HANDLE>(handle_), to + done, asked, &read, nullptr)) break;
    done += read;
    // A file on a disk gives less than asked only at its end.
    if (read < asked) break;
  }
  return done;
}

}  // namespace noemie::platform
