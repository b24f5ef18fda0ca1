#include "core/platform/win32/file_replace.h"

#include <windows.h>

#include "core/platform/file_write.h"
#include "core/platform/win32/long_path.h"
#include "core/platform/win32/system_error.h"

namespace noemie::platform::win32 {

std::error_code write_new_file(const std::filesystem::path& file,
                               const std::function<bool(const ByteSink&)>& produce) {
  const std::wstring name = long_path(file);
  const HANDLE h = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return last_error_code();
  std::error_code error;
  const ByteSink sink = [&](std::string_view bytes) {
    if (!error) {
      error = write_all(reinterpret_cast<std::intptr_t>(h), bytes, std::errc::no_space_on_device);
    }
    return !error;
  };
  bool produced = false;
  try {
    produced = produce(sink);
  } catch (...) {
    CloseHandle(h);
    DeleteFileW(name.c_str());
    throw;
  }
  if (!error && !produced) error = std::make_error_code(std::errc::operation_canceled);
  if (!error && !FlushFileBuffers(h)) error = last_error_code();
  if (!CloseHandle(h) && !error) error = last_error_code();
  if (error) DeleteFileW(name.c_str());
  return error;
}

std::error_code replace_file(const std::filesystem::path& source,
                             const std::filesystem::path& target) {
  const std::wstring from = long_path(source);
  const std::wstring to = long_path(target);
  std::error_code error;
  // A reader that holds the target without sharing its deletion (a virus scanner looking at
  // the file just written, a viewer on another workstation) refuses the rename for a moment:
  // try again a few times before calling it a failure.
  for (int attempt = 0; attempt < 10; ++attempt) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return {};
    }
    const DWORD code = GetLastError();
    error = last_error_code();
    if (code != ERROR_SHARING_VIOLATION && code != ERROR_LOCK_VIOLATION) break;
    Sleep(20);
  }
  DeleteFileW(from.c_str());
  return error;
}

}  // namespace noemie::platform::win32
