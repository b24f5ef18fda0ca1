#include "core/platform/folder_listing.h"

#include <windows.h>

#include <cstdint>
#include <vector>

#include "core/platform/clock.h"
#include "core/platform/win32/long_path.h"
#include "core/platform/win32/system_error.h"
#include "core/platform/win32/wide_text.h"

namespace noemie::platform {
namespace {

// Bytes of entries fetched per call: a few hundred entries.
constexpr std::size_t kDirectoryBatchBytes = 64 * 1024;

std::int64_t nanos_since_1970(const LARGE_INTEGER& file_time) {
  return (file_time.QuadPart - kFileTimeUnixEpoch) * 100;
}

// Adds the entries of one batch of directory information to `listing`.
void add_entries(const std::filesystem::path& folder, const unsigned char* batch,
                 FolderListing& listing) {
  for (;;) {
    const auto& info = *reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(batch);
    const std::wstring_view name(info.FileName, info.FileNameLength / sizeof(wchar_t));
    if (!name.empty() && name.front() != L'.') {
      FolderEntry entry;
      entry.path = folder / name;
      entry.raw_name = win32::wide_to_utf8(name);
      entry.is_directory = (info.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
      // A link's entry describes the link: its target's stamp is had by opening it.
      constexpr DWORD kNotPlain =
          FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
      if ((info.FileAttributes & kNotPlain) == 0) {
        FileStamp stamp;
        stamp.size = static_cast<std::uint64_t>(info.EndOfFile.QuadPart);
        stamp.modified = nanos_since_1970(info.LastWriteTime);
        stamp.changed = nanos_since_1970(info.ChangeTime);
        stamp.identity = static_cast<std::uint64_t>(info.FileId.QuadPart);
        entry.stamp = stamp;
      }
      listing.push_back(std::move(entry));
    }
    if (info.NextEntryOffset == 0) return;
    batch += info.NextEntryOffset;
  }
}

// Lists `folder` from the folder itself, each file with its size, times and identity, in a
// few calls and without opening any file. False when the folder does not open or its file
// system does not give this information: the search below then tells why or lists it.
bool read_directory(const std::filesystem::path& folder, FolderListing& listing) {
  if (folder.empty()) return false;
  const HANDLE dir = CreateFileW(win32::long_path(folder).c_str(), FILE_LIST_DIRECTORY,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (dir == INVALID_HANDLE_VALUE) return false;
  // The entries hold 64-bit fields: the buffer is aligned for them.
  std::vector<std::uint64_t> buffer(kDirectoryBatchBytes / sizeof(std::uint64_t));
  const auto bytes = static_cast<DWORD>(buffer.size() * sizeof(std::uint64_t));
  bool whole = false;
  for (bool first = true;; first = false) {
    if (!GetFileInformationByHandleEx(
            dir, first ? FileIdBothDirectoryRestartInfo : FileIdBothDirectoryInfo, buffer.data(),
            bytes)) {
      whole = GetLastError() == ERROR_NO_MORE_FILES;
      break;
    }
    add_entries(folder, reinterpret_cast<const unsigned char*>(buffer.data()), listing);
  }
  CloseHandle(dir);
  if (!whole) listing.clear();
  return whole;
}

// One search over the folder's entries, closed when it goes away.
class FolderSearch {
 public:
  explicit FolderSearch(const std::filesystem::path& folder) {
    if (folder.empty()) {  // no folder at all, not the current one that "*" would list
      has_entry_ = false;
      error_ = std::make_error_code(std::errc::no_such_file_or_directory);
      return;
    }
    // Names and attributes only (no short names), fetched in large batches.
    const std::wstring pattern = win32::long_path(folder / L"*");
    handle_ = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found_, FindExSearchNameMatch,
                               nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (handle_ != INVALID_HANDLE_VALUE) return;
    has_entry_ = false;
    const std::error_code search_error = win32::last_error_code();
    const bool nothing_found = GetLastError() == ERROR_FILE_NOT_FOUND;
    // The search alone cannot tell a missing folder from a file in its place or from an
    // empty folder (the root of a drive has no "." entry): the folder's own attributes can.
    const DWORD attributes = GetFileAttributesW(win32::long_path(folder).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      error_ = nothing_found ? win32::last_error_code() : search_error;
    } else if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      error_ = std::make_error_code(std::errc::not_a_directory);
    } else if (!nothing_found) {
      error_ = search_error;
    }
  }
  ~FolderSearch() {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
  }
  FolderSearch(const FolderSearch&) = delete;
  FolderSearch& operator=(const FolderSearch&) = delete;

  const std::error_code& error() const { return error_; }
  bool has_entry() const { return has_entry_; }
  const WIN32_FIND_DATAW& entry() const { return found_; }

  void next() {
    if (FindNextFileW(handle_, &found_)) return;
    has_entry_ = false;
    if (GetLastError() != ERROR_NO_MORE_FILES) error_ = win32::last_error_code();
  }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  WIN32_FIND_DATAW found_{};
  bool has_entry_ = true;
  std::error_code error_;
};

}  // namespace

FolderListing list_folder(const std::filesystem::path& folder, std::error_code& error,
                          bool /*with_stamps*/) {
  error.clear();
  FolderListing listing;
  if (read_directory(folder, listing)) return listing;
  FolderSearch search(folder);
  for (; search.has_entry(); search.next()) {
    const WIN32_FIND_DATAW& found = search.entry();
    const std::wstring_view name(found.cFileName);
    if (name.empty() || name.front() == L'.') continue;
    listing.push_back({folder / name, win32::wide_to_utf8(name),
                       (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0, std::nullopt});
  }
  error = search.error();
  if (error) return {};
  return listing;
}

std::error_code check_folder(const std::filesystem::path& folder) {
  // A share's root ("\\server\share") may have no attributes of its own: only a file that
  // has them is known here not to be a folder; the search says the rest.
  const DWORD attributes = GetFileAttributesW(win32::long_path(folder).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    return std::make_error_code(std::errc::not_a_directory);
  }
  return FolderSearch(folder).error();
}

}  // namespace noemie::platform
