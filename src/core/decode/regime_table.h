#pragma once
// The regime table: the names of the health-insurance regimes (general scheme, agricultural,
// ...) that the "Caisse" column shows, loaded once from the text file "caisses.qvc".
//
// File form (Windows-1252): in the first 100,000 bytes, the section between the first "["
// and the first "]" after it (to the end of what was read when no "]" follows); in it, each
// entry is "=" + a 2-character regime + one separator character + text A up to ";" + text B
// up to a carriage return. Anything else is skipped. Text B is the regime's name, text A its
// short name.

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace noemie::decode {

// Bytes of "caisses.qvc" that are read.
inline constexpr std::size_t kRegimeFileReadBytes = 100'000;

class RegimeTable {
 public:
  // The texts of one regime entry, valid while the table lives.
  struct Entry {
    std::string_view text_a;  // before the ";" in the file: short name
    std::string_view text_b;  // after it: name
  };

  RegimeTable() = default;

  // A loaded table read from `file_bytes` (the content of a "caisses.qvc"; only its first
  // 100,000 bytes count).
  static RegimeTable from_text(std::string_view file_bytes);

  // Loads the table from the file at `qvc_path`, once: a second call does nothing, whatever
  // the first one found. A missing file is created empty unless `create_if_missing` is false;
  // a file that cannot be opened or read, or has no "[", gives an empty table.
  void init_liste_caisses(const std::filesystem::path& qvc_path, bool create_if_missing);

  // True once init_liste_caisses (or from_text) has run.
  bool loaded() const { return !liste_caisse_.empty(); }

  // The entry of a regime from 1 to 99, the later one when the file names it twice; nothing
  // for any other number, a regime the file does not name, or a table not loaded.
  std::optional<Entry> entry(int regime) const;

 private:
  void load(std::string_view file_bytes);

  // For each stored entry, in file order: text A, a NUL, text B, a NUL. The first four bytes
  // are never used, so that offset 0 designates no entry. Empty until loaded.
  std::string liste_caisse_;
  // Slots 1 to 99: offset of text A of that regime's entry in liste_caisse_, 0 for none.
  // Slot 0: offset at which the next entry would be written.
  std::array<std::int32_t, 100> liste_caisse_id_{};
};

}  // namespace noemie::decode
