#include "core/platform/absolute_path.h"

#include <windows.h>

#include <string>

namespace noemie::platform {

// The standard library's absolute() and lexically_normal() do not know shares here (they
// would make "\\server\share" a folder of the current drive): the system's call does.
std::filesystem::path absolute_path(const std::filesystem::path& path) {
  const std::wstring& name = path.native();
  DWORD room = static_cast<DWORD>(name.size()) + MAX_PATH;
  for (int attempt = 0; attempt < 3; ++attempt) {
    std::wstring full(room, L'\0');
    const DWORD length = GetFullPathNameW(name.c_str(), room, full.data(), nullptr);
    if (length == 0) return path;
    if (length < room) {
      full.resize(length);
      return full;
    }
    room = length + 1;  // the current folder changed meanwhile: try with the room asked
  }
  return path;
}

}  // namespace noemie::platform
