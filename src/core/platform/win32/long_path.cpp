#include "core/platform/win32/long_path.h"

#include <windows.h>

#include <string_view>

namespace noemie::platform::win32 {
namespace {

// Below this length every Win32 call takes a path as it is; folders are limited to 248
// characters (room for an 8.3 name in them), and a file name is added to some of them.
constexpr std::size_t kShortPathLimit = 200;

// The full path that Windows would make of `path`: absolute, "/" as "\", "." and ".."
// resolved. Empty when it cannot say.
std::wstring full_path(const std::wstring& path) {
  DWORD room = static_cast<DWORD>(path.size()) + MAX_PATH;
  for (int attempt = 0; attempt < 3; ++attempt) {
    std::wstring full(room, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), room, full.data(), nullptr);
    if (length == 0) return {};
    if (length < room) {
      full.resize(length);
      return full;
    }
    room = length + 1;  // the current directory changed meanwhile: try with the room asked
  }
  return {};
}

}  // namespace

std::wstring long_path(const std::filesystem::path& path) {
  const std::wstring& native = path.native();
  if (native.size() < kShortPathLimit) return native;
  const std::wstring_view view(native);
  if (view.starts_with(L"\\\\?\\") || view.starts_with(L"\\\\.\\")) return native;
  const std::wstring full = full_path(native);
  if (full.empty()) return native;
  if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);  // \\server\share
  return L"\\\\?\\" + full;
}

}  // namespace noemie::platform::win32
