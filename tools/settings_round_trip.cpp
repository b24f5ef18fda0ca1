// settings_round_trip: a settings file as a viewer session leaves it, and the check that the
// real registry holds the same once the file has been imported with regedit.
//
//   settings_round_trip write FILE     writes FILE (any platform)
//   settings_round_trip compare FILE   Windows: exit 0 when the registry holds the keys of FILE
//                                      value for value; else 1, with FILE.expected and
//                                      FILE.found written beside it in one order to compare
//
// The file holds the settings record saved in a profile sub-key, with column widths that hide
// and show columns, texts with accents, quotes, "\" and a line break (kept as hex(1)); the
// legacy key with sub-keys, an empty key and a long binary value; and the suite key's old
// flag bitmap.

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>

#include "core/platform/recording_dialogs.h"
#include "core/store/key_paths.h"
#include "core/store/reg_file_registry.h"
#include "core/store/reg_format.h"
#include "core/store/registry_snapshot.h"
#include "core/store/settings.h"
#include "support/key_tree_order.h"

#ifdef _WIN32
#include "core/store/windows_registry.h"
#endif

namespace {

using namespace noemie::store;

// The record of a session: every kind of setting away from its default.
Config session_record() {
  Config c = default_config();
  c.config_multi = 2;
  c.nom = "Dr M\xFCller \"Sud\"";
  c.path = "C:\\Cabinets\\Caf\xE9 \x80";
  c.path_arch = "Z:\\retours\\archive\\";
  c.acte_critgrid = "ligne 1\r\nligne 2";
  c.noemie_rsp_aff = 5;
  c.delai = -7;
  c.noemie_pos_x = -1200;
  c.noemie_taille_x = 1024;
  // Widths of the viewer's rows: some columns hidden (0), others narrower or wider.
  for (int row = 3; row <= 6; ++row) {
    for (int column = 0; column < 17; ++column) {
      auto& width = c.info_result[static_cast<std::size_t>(row * kInfoResultColumns + column)];
      width = (column * 7 + row) % 5 == 0 ? 0 : 30 + (column * 37 + row * 11) % 120;
    }
  }
  return c;
}

void write_session(const std::string& file) {
  std::remove(file.c_str());
  RegFileRegistry registry(file, std::cerr);
  noemie::platform::RecordingDialogs dialogs;
  Settings settings(registry, dialogs, "C:\\Progs\\Velmora\\noemie-viewer.exe");
  settings.config = session_record();
  settings.ecrit_config();

  RegistryKey legacy = registry.create_key(kLegacyKey);
  registry.set_value(legacy, "path", kRegSz, "D:\\anciens r\xE9sultats");
  registry.set_dword(legacy, "delai", 15);
  registry.set_value(legacy, "affichage_arch", kRegBinary, std::string(200, '\x7F'));
  const RegistryKey deeper = registry.create_key(legacy, "config1\\vue");
  registry.set_value(deeper, "", kRegSz,
                     "valeur par d\xE9"
                     "faut");
  registry.create_key(legacy, "vide");
  RegistryKey suite = registry.create_key(kSuiteKey);
  registry.set_value(suite, "RSP_traite", kRegBinary, std::string("\x05\x00\x81\xFF\x00", 5));
}

#ifdef _WIN32
std::string read_whole(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void write_whole(const std::string& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

int compare_with_registry(const std::string& file) {
  const RegParseResult parsed = parse_reg_text(read_whole(file));
  if (!parsed.ok()) {
    std::cerr << file << ": line " << parsed.first_bad_line << " cannot be read\n";
    return 1;
  }
  WindowsRegistry registry;
  KeyNode found{std::string(kCurrentUserRoot)};
  for (const std::string_view key : {kProgramKey, kLegacyKey, kSuiteKey}) {
    copy_key_into_tree(registry, key, found);
  }
  const std::string expected_text =
      to_reg_text(noemie::testing::in_name_order(parsed.current_user));
  const std::string found_text = to_reg_text(noemie::testing::in_name_order(found));
  if (expected_text == found_text) return 0;
  write_whole(file + ".expected", expected_text);
  write_whole(file + ".found", found_text);
  std::cerr << "the registry differs from " << file << ": compare " << file << ".expected with "
            << file << ".found\n";
  return 1;
}
#endif

}  // namespace

int main(int argc, char** argv) {
  const std::string_view mode = argc == 3 ? argv[1] : "";
  if (mode == "write") {
    write_session(argv[2]);
    return 0;
  }
#ifdef _WIN32
  if (mode == "compare") return compare_with_registry(argv[2]);
#endif
  std::fputs("Usage: settings_round_trip write|compare FILE\n", stderr);
  return 2;
}
