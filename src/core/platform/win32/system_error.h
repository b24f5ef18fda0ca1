#pragma once
// Win32 error numbers as std::error_code. Windows only.

#include <system_error>

namespace noemie::platform::win32 {

// The thread's last Win32 error: the usual failures of file and folder calls as the portable
// conditions (a missing file or share is no_such_file_or_directory, a refusal
// permission_denied, a full disk no_space_on_device...), anything else in the system's
// category.
std::error_code last_error_code();

}  // namespace noemie::platform::win32
