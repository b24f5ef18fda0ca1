#pragma once
// Where the core's Windows-1252 texts and the platform's paths meet Qt's Unicode strings.

#include <QString>

#include <filesystem>
#include <string>
#include <string_view>

namespace noemie::gui {

// Windows-1252 bytes as a QString. The text ends at its first NUL byte, as the list's texts do.
QString to_qstring(std::string_view cp1252);

// A QString as Windows-1252 bytes; a character with no Windows-1252 form becomes "?".
std::string to_cp1252(const QString& text);

// Windows-1252 text for a label or a tooltip: "\r\n" and lone "\r" become "\n" (Qt draws
// a carriage return as a visible box), other characters are kept.
QString to_display_text(std::string_view cp1252);

// A path in the platform's encoding as a QString, and back. Bytes that do not decode are
// replaced for display only; the path object itself is never altered.
QString path_to_qstring(const std::filesystem::path& path);
std::filesystem::path qstring_to_path(const QString& text);

}  // namespace noemie::gui
