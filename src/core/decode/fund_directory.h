#pragma once
// The fund directory "caisses.dat": the name of a health fund from its regime, caisse and
// centre numbers, shown when the user asks about a "Caisse" cell. The file is read afresh at
// every lookup, so changes to it are seen at once.
//
// File form (Windows-1252, lines ended by LF or CR LF): a fund line is the regime, the caisse
// and the centre in plain decimal separated by single blanks, one blank, the fund's name as
// blank-separated words, then further words of which the first is made of digits only, e.g.
// "1 751 0 CPAM DE PARIS 75948". Lines that match no lookup are ignored.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace noemie::decode {

// Longest name returned: what fits in the original's 260-character buffer with its NUL.
inline constexpr std::size_t kFundNameMaxChars = 259;

// Name of the fund (regime, caisse, centre) in the directory at `dat_path` (the caller passes
// "caisses.dat" next to the program), or "" when the file is missing, empty or unreadable or
// has no line for these numbers. The first line that starts with the three numbers, each a
// whole number and the centre followed by a blank, is the fund's line. Its name runs from the
// character after that blank, word by word, up to the first empty word (two blanks in a row)
// or the first word made of digits only, the blank before that word included; otherwise to
// the end of the line (a CR before the LF is not part of the name). The name is cut to
// kFundNameMaxChars characters. A missing file is created empty unless `create_if_missing`
// is false.
std::string get_nom_caisse(const std::filesystem::path& dat_path, int regime, int caisse,
                           int centre, bool create_if_missing);

// The same lookup in the bytes of a fund directory already read.
std::string nom_caisse_in(std::string_view directory, int regime, int caisse, int centre);

}  // namespace noemie::decode
