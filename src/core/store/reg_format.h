#pragma once
// The registry export text format ("REGEDIT4") of the settings file: readable and editable by
// hand, and importable into a Windows registry. Bytes are Windows-1252, lines end with CR LF.
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\software\quillon]
//   "path"="C:\\Cabinet"
//   "delai"=dword:0000001e
//   "noemie rsp aff"=hex:05
//
// Every key gets its own section, so empty keys survive. Texts escape "\" and '"' with "\".
// REG_SZ data that holds a CR, LF or NUL byte, REG_DWORD data that is not 4 bytes long and
// every other type are written as hex bytes ("hex:" for REG_BINARY, "hex(N):" otherwise),
// folded after 25 bytes with ",\" and a new line starting with two blanks, as regedit does.
// The reader also takes LF line ends, ";" comment lines, blanks around "=", any case in
// "dword:"/"hex:" and section roots, and an unknown escape such as "\P" as the two
// characters it is.

#include <cstddef>
#include <string>
#include <string_view>

#include "core/store/key_tree.h"

namespace noemie::store {

// The first line of the file.
inline constexpr std::string_view kRegHeader = "REGEDIT4";
// The root that every section names.
inline constexpr std::string_view kCurrentUserRoot = "HKEY_CURRENT_USER";

// The whole file for the tree under HKEY_CURRENT_USER (`current_user` is that root key; it
// gets a section of its own only when it holds values).
std::string to_reg_text(const KeyNode& current_user);

// What could be read from a file, and where it went wrong.
struct RegParseResult {
  KeyNode current_user{std::string(kCurrentUserRoot)};
  std::size_t bad_lines = 0;       // lines that could not be understood (header included)
  std::size_t first_bad_line = 0;  // 1-based line number of the first of them; 0 when none

  bool ok() const { return bad_lines == 0; }
};

// Reads a whole file. Lines that cannot be understood are counted and skipped; a value whose
// section could not be understood is skipped too. A repeated section adds to the same key and
// a repeated value replaces the earlier one, as an import into the registry does.
RegParseResult parse_reg_text(std::string_view text);

}  // namespace noemie::store
