#include "core/platform/win32/system_error.h"

#include <windows.h>

namespace noemie::platform::win32 {

std::error_code last_error_code() {
  const DWORD error = GetLastError();
  const auto portable = [](std::errc e) { return std::make_error_code(e); };
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_INVALID_NAME:
      return portable(std::errc::no_such_file_or_directory);
    case ERROR_DIRECTORY:
      return portable(std::errc::not_a_directory);
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
      return portable(std::errc::permission_denied);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return portable(std::errc::no_space_on_device);
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return portable(std::errc::file_exists);
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return portable(std::errc::not_enough_memory);
    default:
      return {static_cast<int>(error), std::system_category()};
  }
}

}  // namespace noemie::platform::win32
