#pragma once
// The absolute form of a path, as fault lines and the flag file name it.

#include <filesystem>

namespace noemie::platform {

// `path` made absolute against the current folder, with "." and ".." resolved. On Windows
// this is the system's own reading of the name: a share ("\\server\share\retours") stays a
// share, a drive-relative name ("D:retours") takes that drive's current folder, and "/" is
// written "\". The path as given when the system cannot say.
std::filesystem::path absolute_path(const std::filesystem::path& path);

}  // namespace noemie::platform
