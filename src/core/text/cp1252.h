#pragma once
// Windows-1252 text: return files, cells, messages and export files are all bytes of this
// code page. These conversions are the only place where it meets Unicode.

#include <string>
#include <string_view>

namespace noemie::text {

// The euro sign of Windows-1252.
inline constexpr char kEuro = static_cast<char>(0x80);

// Windows-1252 bytes to UTF-8. The five bytes the code page leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) map to the C1 control characters of the same value, as Windows does.
std::string cp1252_to_utf8(std::string_view text);

// UTF-8 to Windows-1252. A character with no Windows-1252 form becomes `replacement`.
// Text that is not valid UTF-8 is returned byte for byte, unchanged.
std::string utf8_to_cp1252(std::string_view text, char replacement = '?');

// Windows-1252 bytes to UTF-16 code units (Windows' own text), with the same mapping.
std::u16string cp1252_to_utf16(std::string_view text);

// UTF-16 to Windows-1252. A character with no Windows-1252 form becomes `replacement`, once
// per character: a surrogate pair gives one replacement, and so does a lone surrogate.
std::string utf16_to_cp1252(std::u16string_view text, char replacement = '?');

// True when `text` is well-formed UTF-8 (no overlong forms, no surrogates).
bool is_valid_utf8(std::string_view text);

}  // namespace noemie::text
