#pragma once
// Paths of any length for Win32 calls. Windows only.

#include <filesystem>
#include <string>

namespace noemie::platform::win32 {

// `path` in a form that Win32 file calls take at any length. A path that could reach the
// old 260-character limit is made absolute and given the prefix "\\?\" (for a share,
// "\\?\UNC\" in place of the leading "\\"); since the prefix turns off every rewriting of
// the name, "/" is turned into "\" and "." and ".." are resolved first. Shorter paths, and
// paths that already name a device or carry the prefix, are given as they are.
std::wstring long_path(const std::filesystem::path& path);

}  // namespace noemie::platform::win32
