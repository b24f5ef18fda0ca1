#include "core/platform/file_write.h"

#include <windows.h>

#include "core/platform/win32/system_error.h"

namespace noemie::platform {

std::error_code write_all(std::intptr_t handle, std::string_view bytes, std::errc nothing_written) {
  const auto file = reinterpret_cast<HANDLE>(handle);
  while (!bytes.empty()) {
    // One WriteFile moves at most 4 GiB - 1 bytes.
    const DWORD chunk = bytes.size() < (1u << 30) ? static_cast<DWORD>(bytes.size()) : 1u << 30;
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) return win32::last_error_code();
    if (written == 0) return std::make_error_code(nothing_written);
    bytes.remove_prefix(written);
  }
  return {};
}

}  // namespace noemie::platform
