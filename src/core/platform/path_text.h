#pragma once
// Paths as text. A path is kept in the platform's own form (bytes on POSIX, UTF-16 on
// Windows); where it meets the program's texts it is converted here, in one place:
//   - shown in the list or a message: Windows-1252, as every text of the viewer;
//   - kept in a setting: the form the settings store holds (native bytes on POSIX, where
//     earlier runs kept them so; Windows-1252 on Windows, as the registry values are);
//   - given on a command line or printed on a terminal: native bytes on POSIX, UTF-8 on
//     Windows (the console writer turns UTF-8 into the console's own text).

#include <filesystem>
#include <string>
#include <string_view>

namespace noemie::platform {

// The path as Windows-1252 text: a character without a Windows-1252 form becomes "?". On
// POSIX a path that is not valid UTF-8 is kept byte for byte.
std::string path_to_cp1252(const std::filesystem::path& path);

// The text a setting keeps for `path`, and the path of such a text.
std::string path_to_setting(const std::filesystem::path& path);
std::filesystem::path path_from_setting(std::string_view text);

// The path as command lines and terminals carry it, and the path of such a text. On
// Windows a lone UTF-16 surrogate, which UTF-8 cannot carry, becomes U+FFFD.
std::string path_to_native_text(const std::filesystem::path& path);
std::filesystem::path path_from_native_text(std::string_view text);

}  // namespace noemie::platform
