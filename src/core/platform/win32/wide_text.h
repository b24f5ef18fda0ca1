#pragma once
// Windows' own text (UTF-16 in wchar_t) beside the program's Windows-1252 and UTF-8 texts.
// Windows only.

#include <string>
#include <string_view>

namespace noemie::platform::win32 {

std::wstring cp1252_to_wide(std::string_view text);
// A character without a Windows-1252 form becomes "?".
std::string wide_to_cp1252(std::wstring_view text);

// UTF-8 and UTF-16 through the system's converter; a malformed sequence becomes U+FFFD.
std::wstring utf8_to_wide(std::string_view text);
std::string wide_to_utf8(std::wstring_view text);

}  // namespace noemie::platform::win32
