#pragma once
// The error report that the error dialog's "Envoyer" button sends: the report line, the
// version text, and the "mailto:" link to the author, opened through the Shell.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/platform/shell.h"

namespace noemie {

// Longest report line, in characters.
inline constexpr std::size_t kReportLineMax = 255;

// "Fic : %s -- Off : %d -- Err : %s" with the path (as Windows-1252 text: a UTF-8 name is
// converted, a character with no Windows-1252 form becomes "?"), the position and the
// description, cut to its first 255 characters (which may cut the description).
std::string report_line(const std::filesystem::path& path, std::int64_t position,
                        std::string_view description);

// The version as the error dialog shows it: "V. 1.13".
std::string version_text();

// The author's address, set when the program is built (NOEMIE_AUTHOR_MAIL).
std::string_view author_mail();

// The "mailto:" link to `address` with the subject "Velmora Ver.1.13 Compilé le <date> à
// <time>" and the body `body` followed by a space. `body` is Windows-1252; subject and body
// are converted to UTF-8 and percent-encoded (RFC 6068): every byte outside the unreserved
// characters A-Z a-z 0-9 - . _ ~ becomes %XX. `build_date` has the form "Nov 27 2023",
// `build_time` the form "23:15:17".
std::string mail_link(std::string_view body, std::string_view build_date,
                      std::string_view build_time, std::string_view address);

// The same link to author_mail(), with the date and time this program was built.
std::string mail_link(std::string_view body);

// Opens the link of mail_link(body) through `shell`. Failures are not reported.
void mail(std::string_view body, platform::Shell& shell);

}  // namespace noemie
