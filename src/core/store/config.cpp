#include "core/store/config.h"

#include "core/store/registry.h"
#include "core/text/c_text.h"

namespace noemie::store {
namespace {

// Shorthands for the table below.
constexpr SettingDescriptor text(std::string_view name, std::string Config::*member,
                                 std::size_t size, std::string_view def = "",
                                 SettingRole role = SettingRole::Plain) {
  return {name, kRegSz, size, TextField{member, def}, role};
}
constexpr SettingDescriptor flag(std::string_view name, std::int8_t Config::*member,
                                 std::int8_t def = 0, SettingRole role = SettingRole::Plain) {
  return {name, kRegBinary, 1, FlagField{member, def}, role};
}
constexpr SettingDescriptor number(std::string_view name, std::int32_t Config::*member,
                                   std::int32_t def = 0) {
  return {name, kRegDword, 4, NumberField{member, def}};
}
template <std::size_t N>
constexpr SettingDescriptor widths(std::string_view name,
                                   std::array<std::int32_t, N> Config::*member,
                                   const std::array<std::int32_t, N>& def) {
  return {name, kRegBinary, N * 4, WidthsField<N>{member, &def}};
}

constexpr std::size_t kPath = 260;

constexpr SettingDescriptor kSettingTable[] = {
    text("nom", &Config::nom, 50),
    text("path", &Config::path, kPath),
    text("path_log", &Config::path_log, kPath),
    text("path_result", &Config::path_result, kPath),
    text("cabinet", &Config::cabinet, kPath),
    text("user", &Config::user, kPath),
    text("path_export", &Config::path_export, kPath),
    text("path_arch", &Config::path_arch, kPath),
    text("path_fond", &Config::path_fond, kPath),
    number("delai", &Config::delai, 30),
    flag("pass", &Config::pass),
    flag("compat_QVAPI", &Config::compat_QVAPI),
    flag("noemie rsp aff", &Config::noemie_rsp_aff, 5),
    flag("noemie abrege", &Config::noemie_abrege),
    flag("arch_last_rsp", &Config::arch_last_rsp, 1),
    widths("affichage_arch", &Config::affichage_arch, pos_std),
    widths("affichage_quorvet", &Config::affichage_quorvet, pos_std),
    widths("info_result", &Config::info_result, pos_result_std),
    number("noemie pos x", &Config::noemie_pos_x),
    number("noemie pos y", &Config::noemie_pos_y),
    number("noemie taille x", &Config::noemie_taille_x, 500),
    number("noemie taille y", &Config::noemie_taille_y, 400),
    flag("motif_fond", &Config::motif_fond, 1),
    flag("aff_erreur", &Config::aff_erreur),
    flag("aff_erreur1", &Config::aff_erreur1),
    flag("aff_auto_rsp", &Config::aff_auto_rsp),
    flag("config_multi", &Config::config_multi, 0, SettingRole::ProfileNumber),
    flag("version", &Config::version, 0, SettingRole::Version),
    flag("sous-version", &Config::sous_version, 0, SettingRole::SousVersion),
    flag("multi_user", &Config::multi_user),
    flag("suppr_fse_annul", &Config::suppr_fse_annul),
    text("rep_VL", &Config::rep_VL, kPath, "", SettingRole::ProgramFolder),
    number("cons min", &Config::cons_min, 5),
    number("cons max", &Config::cons_max, 45),
    number("cons year", &Config::cons_year, 2000),
    number("cons day", &Config::cons_day, 7),
    number("cons type", &Config::cons_type, 3),
    number("cons limit", &Config::cons_limit, 0),
    number("certif year", &Config::certif_year, 2000),
    number("certif day", &Config::certif_day, 7),
    number("certif type", &Config::certif_type, 3),
    number("certif limit", &Config::certif_limit, 1),
    number("acte limit", &Config::acte_limit, 1),
    number("acte year", &Config::acte_year, 2000),
    number("acte day", &Config::acte_day, 7),
    number("acte type", &Config::acte_type, 3),
    text("acte crit1", &Config::acte_crit1, kPath, "Visites"),
    text("acte crit2", &Config::acte_crit2, kPath, "Consultations"),
    text("acte crit3", &Config::acte_crit3, kPath),
    text("acte crit4", &Config::acte_crit4, kPath),
    text("acte crit5", &Config::acte_crit5, kPath),
    number("acte crit sel", &Config::acte_crit_sel, 0),
    text("acte critgrid", &Config::acte_critgrid, 1000),
};

template <class... F>
struct Overloaded : F... {
  using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

void put_le32(std::string& out, std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) out += static_cast<char>((u >> (8 * i)) & 0xFF);
}

// Overwrites the first data.size() bytes of the little-endian form of `values`.
template <std::size_t N>
void overwrite_le32(std::array<std::int32_t, N>& values, std::string_view data) {
  for (std::size_t i = 0; i < data.size(); ++i) {
    auto u = static_cast<std::uint32_t>(values[i / 4]);
    const unsigned shift = 8 * (i % 4);
    u = (u & ~(0xFFu << shift)) |
        (static_cast<std::uint32_t>(static_cast<unsigned char>(data[i])) << shift);
    values[i / 4] = static_cast<std::int32_t>(u);
  }
}

}  // namespace

std::span<const SettingDescriptor> setting_table() {
  return kSettingTable;
}

const SettingDescriptor* find_setting(std::string_view name) {
  for (const auto& s : kSettingTable) {
    if (s.name == name) return &s;
  }
  return nullptr;
}

void apply_defaults(Config& config) {
  for (const auto& s : kSettingTable) {
    std::visit(Overloaded{
                   [&](const TextField& f) { config.*f.member = std::string(f.default_value); },
                   [&](const FlagField& f) { config.*f.member = f.default_value; },
                   [&](const NumberField& f) { config.*f.member = f.default_value; },
                   [&](const auto& f) { config.*f.member = *f.default_value; },
               },
               s.field);
  }
}

Config default_config() {
  Config config;
  apply_defaults(config);
  return config;
}

std::string encode_setting(const SettingDescriptor& setting, const Config& config) {
  return std::visit(
      Overloaded{
          [&](const TextField& f) { return std::string(text::c_text(config.*f.member)); },
          [&](const FlagField& f) { return std::string(1, static_cast<char>(config.*f.member)); },
          [&](const NumberField& f) {
            std::string out;
            put_le32(out, config.*f.member);
            return out;
          },
          [&](const auto& f) {
            std::string out;
            for (const auto v : config.*f.member) put_le32(out, v);
            return out;
          },
      },
      setting.field);
}

bool decode_setting(const SettingDescriptor& setting, std::string_view data, Config& config) {
  if (data.size() > setting.size) return false;
  return std::visit(Overloaded{
                        [&](const TextField& f) {
                          const auto value = text::c_text(data);
                          // A stored text as long as the field would leave no room for its
                          // terminator.
                          if (value.size() >= setting.size) return false;
                          (config.*f.member).assign(value);
                          return true;
                        },
                        [&](const FlagField& f) {
                          if (!data.empty()) config.*f.member = static_cast<std::int8_t>(data[0]);
                          return true;
                        },
                        [&](const NumberField& f) {
                          std::array<std::int32_t, 1> one{config.*f.member};
                          overwrite_le32(one, data);
                          config.*f.member = one[0];
                          return true;
                        },
                        [&](const auto& f) {
                          overwrite_le32(config.*f.member, data);
                          return true;
                        },
                    },
                    setting.field);
}

}  // namespace noemie::store
