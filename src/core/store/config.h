#pragma once
// The settings record `config`: one field per registry value of the program key, and the one
// table (kSettingTable via setting_table()) that gives each setting its value name, type,
// field size and default. Loading, saving and the defaults all go through that table.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace noemie::store {

// The width table: 18 rows of 20 column widths in pixels, row after row.
inline constexpr int kInfoResultRows = 18;
inline constexpr int kInfoResultColumns = 20;
using Widths360 = std::array<std::int32_t, kInfoResultRows * kInfoResultColumns>;
// The column widths of other list layouts of the suite: 5 rows of 10.
using Widths50 = std::array<std::int32_t, 50>;

// Default of `info_result`. Rows 3 to 6 are the viewer list under the kind filters "Toutes",
// "Paiements", "Rejets" and "Autres"; the other rows belong to other list layouts.
inline constexpr Widths360 pos_result_std = {
    120, 30,  10,  70,  100, 10,  70,  70,  0,   0,
    0,   0,   0,   0,   0,   0,   0,   0,   0,   0,  //
    120, 30,  10,  70,  100, 10,  70,  70,  70,  70,
    0,   0,   0,   0,   0,   0,   0,   0,   0,   0,  //
    120, 30,  10,  70,  100, 10,  70,  70,  70,  70,
    70,  70,  70,  70,  70,  0,   0,   0,   0,   0,  //
    20,  50,  55,  55,  70,  60,  140, 30,  40,  70,
    35,  55,  40,  55,  40,  55,  300, 0,   0,   0,  //
    20,  50,  55,  25,  60,  50,  140, 30,  40,  70,
    35,  55,  40,  55,  40,  55,  300, 0,   0,   0,  //
    20,  50,  55,  55,  70,  60,  140, 30,  40,  0,
    0,   0,   0,   0,   0,   0,   300, 0,   0,   0,  //
    20,  50,  55,  55,  70,  60,  140, 30,  40,  70,
    35,  55,  40,  55,  40,  55,  300, 0,   0,   0,  //
    15,  15,  70,  45,  45,  60,  100, 100, 100, 100,
    100, 100, 100, 100, 100, 100, 100, 0,   0,   0,  //
    40,  70,  30,  120, 200, 60,  100, 100, 100, 100,
    100, 100, 100, 100, 100, 100, 100, 0,   0,   0,  //
    40,  150, 70,  70,  70,  60,  60,  60,  60,  60,
    60,  60,  60,  60,  50,  40,  60,  70,  70,  150,  //
    300, 30,  30,  30,  50,  50,  70,  100, 100, 100,
    100, 100, 100, 100, 100, 100, 100, 0,   0,   0,  //
    75,  110, 80,  100, 40,  65,  65,  65,  65,  65,
    65,  65,  65,  65,  100, 0,   0,   0,   0,   0,  //
    20,  55,  150, 50,  30,  45,  70,  25,  55,  35,
    55,  35,  55,  35,  0,   0,   0,   0,   0,   0,  //
    75,  110, 100, 100, 100, 100, 100, 100, 0,   0,
    0,   0,   0,   0,   0,   0,   0,   0,   0,   0,  //
    65,  75,  50,  140, 60,  0,   0,   0,   0,   0,
    0,   0,   0,   0,   0,   0,   0,   0,   0,   0,  //
    35,  85,  45,  190, 190, 130, 0,   0,   0,   0,
    0,   0,   0,   0,   0,   0,   0,   0,   0,   0,  //
    55,  105, 45,  20,  20,  20,  20,  20,  0,   0,
    0,   0,   0,   0,   0,   0,   0,   0,   0,   0,  //
    55,  105, 45,  20,  20,  20,  20,  20,  0,   0,
    0,   0,   0,   0,   0,   0,   0,   0,   0,   0,  //
};

// Default of `affichage_arch` and `affichage_quorvet`.
inline constexpr Widths50 pos_std = {
    120, 30, 40, 70, 40, 70, 70,  70, 0, 0,  //
    30,  30, 70, 30, 50, 30, 100, 0,  0, 0,  //
    100, 70, 70, 0,  0,  0,  0,   0,  0, 0,  //
    100, 70, 70, 0,  0,  0,  0,   0,  0, 0,  //
    100, 70, 70, 0,  0,  0,  0,   0,  0, 0,  //
};

// The settings, in the order of the setting table. Members are named after their registry
// value, blanks and "-" written "_". Texts are Windows-1252 bytes (paths: the platform's path
// bytes as they are); each text setting holds at most its field size minus one characters
// when loaded. A Config{} is all empty and zero; default_config() gives the defaults.
struct Config {
  std::string nom;
  std::string path;  // folder of the practice folders; last folder viewed
  std::string path_log;
  std::string path_result;  // initial folder of the export dialog
  std::string cabinet;      // name of the practice; "cabinet" triggers the folder check
  std::string user;
  std::string path_export;
  std::string path_arch;  // archive folder; the flag file is path_arch + "RSPstate.dat"
  std::string path_fond;
  std::int32_t delai = 0;
  std::int8_t pass = 0;
  std::int8_t compat_QVAPI = 0;
  std::int8_t noemie_rsp_aff = 0;  // kind mask: 1 the RSP family, 4 the ARL family
  std::int8_t noemie_abrege = 0;   // "Abrégé" check box
  std::int8_t arch_last_rsp = 0;
  Widths50 affichage_arch{};
  Widths50 affichage_quorvet{};
  Widths360 info_result{};        // list column widths, see pos_result_std
  std::int32_t noemie_pos_x = 0;  // viewer window rectangle, screen pixels
  std::int32_t noemie_pos_y = 0;
  std::int32_t noemie_taille_x = 0;
  std::int32_t noemie_taille_y = 0;
  std::int8_t motif_fond = 0;
  std::int8_t aff_erreur = 0;
  std::int8_t aff_erreur1 = 0;
  std::int8_t aff_auto_rsp = 0;
  std::int8_t config_multi = 0;  // profile number: above 0 selects the sub-key "config<n>"
  std::int8_t version = 0;
  std::int8_t sous_version = 0;
  std::int8_t multi_user = 0;
  std::int8_t suppr_fse_annul = 0;
  std::string rep_VL;  // folder of the running program, set at every load
  std::int32_t cons_min = 0;
  std::int32_t cons_max = 0;
  std::int32_t cons_year = 0;
  std::int32_t cons_day = 0;
  std::int32_t cons_type = 0;
  std::int32_t cons_limit = 0;
  std::int32_t certif_year = 0;
  std::int32_t certif_day = 0;
  std::int32_t certif_type = 0;
  std::int32_t certif_limit = 0;
  std::int32_t acte_limit = 0;
  std::int32_t acte_year = 0;
  std::int32_t acte_day = 0;
  std::int32_t acte_type = 0;
  std::string acte_crit1;
  std::string acte_crit2;
  std::string acte_crit3;
  std::string acte_crit4;
  std::string acte_crit5;
  std::int32_t acte_crit_sel = 0;
  std::string acte_critgrid;

  bool operator==(const Config&) const = default;
};

// What a setting is to loading and saving beyond its type.
enum class SettingRole {
  Plain,          // loaded and saved as it is
  ProfileNumber,  // config_multi: read and written in the program key itself, before the rest
  Version,        // loaded, always saved as kSavedVersion
  SousVersion,    // loaded, always saved as kSavedSousVersion
  ProgramFolder,  // rep_VL: never loaded, set from the program's folder, saved last
};

// The version 1.1.3 as saved: `version` 1 and `sous-version` 1 × 10 + 3.
inline constexpr std::int8_t kSavedVersion = 1;
inline constexpr std::int8_t kSavedSousVersion = 13;

struct TextField {
  std::string Config::*member;
  std::string_view default_value;
};
struct FlagField {
  std::int8_t Config::*member;
  std::int8_t default_value;
};
struct NumberField {
  std::int32_t Config::*member;
  std::int32_t default_value;
};
template <std::size_t N>
struct WidthsField {
  std::array<std::int32_t, N> Config::*member;
  const std::array<std::int32_t, N>* default_value;
};
using SettingField =
    std::variant<TextField, FlagField, NumberField, WidthsField<50>, WidthsField<360>>;

// One setting: registry value name, type (kRegSz, kRegBinary, kRegDword), field size in bytes
// (a text's size counts its terminator, so a 260 field holds 259 characters), member and
// default, and role.
struct SettingDescriptor {
  std::string_view name;
  std::uint32_t type;
  std::size_t size;
  SettingField field;
  SettingRole role = SettingRole::Plain;
};

// Every setting, in the order of the record.
std::span<const SettingDescriptor> setting_table();

// The setting called `name` (exact), or null.
const SettingDescriptor* find_setting(std::string_view name);

// A record holding every default of the table (`rep_VL` "": it has no stored default).
Config default_config();

// Puts the default of each setting in place.
void apply_defaults(Config& config);

// The bytes stored for a setting: a text up to its first NUL without terminator, a flag as
// 1 byte, numbers and widths little-endian.
std::string encode_setting(const SettingDescriptor& setting, const Config& config);

// Puts `data` read from the registry into the field as a read into a fixed buffer of the
// field's size would: data longer than the field, or a text that leaves no room for its
// terminator, is refused (false, field unchanged); shorter data overwrites only the first
// bytes of a number or table. A text ends at its first NUL.
bool decode_setting(const SettingDescriptor& setting, std::string_view data, Config& config);

}  // namespace noemie::store
