#include "core/platform/win32/long_path.h"

#include "core/platform/absolute_path.h"

#include <string_view>

namespace noemie::platform::win32 {
namespace {

// Below this length every Win32 call takes a path as it is; folders are limited to 248
// characters (room for an 8.3 name in them), and a file name is added to some of them.
constexpr std::size_t kShortPathLimit = 200;

}  // namespace

std::wstring long_path(const std::filesystem::path& path) {
  const std::wstring& native = path.native();
  if (native.size() < kShortPathLimit) return native;
  const std::wstring_view view(native);
  if (view.starts_with(L"\\\\?\\") || view.starts_with(L"\\\\.\\")) return native;
  const std::wstring full = absolute_path(path).native();
  const bool absolute = full.starts_with(L"\\\\") || (full.size() > 2 && full[1] == L':');
  if (!absolute) return native;
  if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);  // \\server\share
  return L"\\\\?\\" + full;
}

}  // namespace noemie::platform::win32
