#include "core/store/settings.h"

#include <filesystem>
#include <system_error>

#include "core/platform/path_text.h"
#include "core/store/key_tree.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace noemie::store {

const std::string_view kQvesWarningText =
    "Imossible de trouver le r\xE9pertoire 'sesam_vitale' de QVES\n"
    "Il y a 2 possibilit\xE9s : \n"
    " -Soit votre QVES a un probl\xE8me\n"
    " -Soit vous en voulez \xE0 ce programme et vous avez cr\xE9\xE9(sous Quorvet) un cabinet "
    "nomm\xE9 'cabinet'\n\n"
    "Dans les 2 cas, il faut rem\xE9"
    "dier au probl\xE8me avant de pouvoir utiliser ce logiciel";

Settings::Settings(Registry& registry, platform::Dialogs& dialogs, std::string program_file)
    : registry_(registry), dialogs_(dialogs), program_file_(std::move(program_file)) {}

bool Settings::read_setting(const RegistryKey& key, std::size_t index, bool into_record) {
  const SettingDescriptor& setting = setting_table()[index];
  std::string field(setting.size, '\0');
  const auto read = registry_.query_value(key, setting.name, field);
  if (!read) return false;
  field.resize(read->length);
  stored_[index] = field;
  return into_record && decode_setting(setting, field, config);
}

bool Settings::write_setting(const RegistryKey& key, std::size_t index) {
  const SettingDescriptor& setting = setting_table()[index];
  std::string bytes = encode_setting(setting, config);
  if (stored_[index] == bytes) return true;
  if (!registry_.set_value(key, setting.name, setting.type, bytes)) return false;
  stored_[index] = std::move(bytes);
  return true;
}

void Settings::lit_config(std::string_view key_path) {
  RegistryKey key = registry_.open_key(key_path);
  if (!key) {
    // First run: take the settings over from the legacy key when there is one.
    if (RegistryKey legacy = registry_.open_key(kLegacyKey)) {
      if (RegistryKey program = registry_.create_key(key_path)) copie_key(legacy, program);
    }
    key = registry_.open_key(key_path);
  }

  apply_defaults(config);
  // Known before any save, so that even the first save records where the program lives.
  config.rep_VL = program_folder(program_file_);
  const auto table = setting_table();
  stored_key_.clear();
  stored_.assign(table.size(), std::nullopt);

  if (key) {
    for (std::size_t i = 0; i < table.size(); ++i) {
      const SettingRole r = table[i].role;
      if (r == SettingRole::ProfileNumber || r == SettingRole::Version ||
          r == SettingRole::SousVersion) {
        read_setting(key, i);
      }
    }
    stored_key_ = key_path;
    if (profile_selected(config.config_multi)) {
      key.close();
      stored_key_ = profile_key_path(key_path, config.config_multi);
      key = registry_.open_key(stored_key_);
    }
  }

  if (!key) {
    config.path.clear();
    config.user.clear();
    config.cabinet.clear();
    config.delai = 30;
    config.pass = 0;
    stored_key_.clear();
    ecrit_config(key_path);
  } else {
    for (std::size_t i = 0; i < table.size(); ++i) {
      const SettingRole r = table[i].role;
      // `rep_VL` is never loaded; its stored bytes tell whether a save must write it.
      if (r != SettingRole::ProfileNumber) read_setting(key, i, r != SettingRole::ProgramFolder);
    }
    key.close();
    // A save writes what this run changed since: each other setting is measured against its
    // value as loaded. A value that is absent or does not fit its field reads as its default,
    // and is written only once this run changes it.
    for (std::size_t i = 0; i < table.size(); ++i) {
      if (table[i].role != SettingRole::ProgramFolder)
        stored_[i] = encode_setting(table[i], config);
    }
  }
  cree_config();
}

bool Settings::ecrit_config(std::string_view key_path) {
  RegistryKey key = registry_.create_key(key_path);
  if (!key) return false;
  const auto table = setting_table();
  const std::string target = profile_selected(config.config_multi)
                                 ? profile_key_path(key_path, config.config_multi)
                                 : std::string(key_path);
  if (stored_key_ != target || stored_.size() != table.size()) {
    // Nothing is known of that key: every setting is written.
    stored_key_ = target;
    stored_.assign(table.size(), std::nullopt);
  }
  bool ok = true;
  const auto write = [&](const RegistryKey& to, auto&& wanted) {
    for (std::size_t i = 0; i < table.size(); ++i) {
      if (wanted(table[i].role)) ok = write_setting(to, i) && ok;
    }
  };

  write(key, [](SettingRole r) { return r == SettingRole::ProfileNumber; });
  // The program key stays open while the profile is written, so that a store that saves
  // when its keys are closed saves the whole record at once.
  RegistryKey profile;
  if (profile_selected(config.config_multi)) {
    profile = registry_.create_key(target);
    if (!profile) {
      key.close();
      return false;
    }
  }
  const RegistryKey& to = profile ? profile : key;
  config.version = kSavedVersion;
  config.sous_version = kSavedSousVersion;
  write(to,
        [](SettingRole r) { return r == SettingRole::Version || r == SettingRole::SousVersion; });
  write(to, [](SettingRole r) { return r == SettingRole::Plain; });
  write(to, [](SettingRole r) { return r == SettingRole::ProgramFolder; });
  ok = profile.close() && ok;
  return key.close() && ok;
}

void Settings::copie_key(const RegistryKey& source, const RegistryKey& destination) {
  for (std::uint32_t i = 0;; ++i) {
    const auto name = registry_.enum_key(source, i, kCopyNameRoom);
    if (!name) break;
    const RegistryKey from = registry_.open_key(source, *name);
    const RegistryKey to = registry_.create_key(destination, *name);
    if (from && to) copie_key(from, to);
  }
  for (std::uint32_t i = 0;; ++i) {
    const auto value = registry_.enum_value(source, i, kCopyNameRoom, kCopyDataRoom);
    if (!value) break;
    registry_.set_value(destination, value->name, value->type, value->data);
  }
}

void Settings::cree_config() {
  is_QVES(config.path, config.cabinet, config.user);
}

int Settings::is_QVES(std::string_view path, std::string_view cabinet, std::string_view) {
  if (!names_equal(cabinet, "cabinet")) return 0;
  if (!folder_can_be_entered(qves_folder(path))) {
    dialogs_.message_box(kQvesWarningText, kQvesWarningCaption, platform::MessageIcon::Error);
  }
  return 1;
}

std::string program_folder(std::string_view program_file) {
#ifdef _WIN32
  const auto cut = program_file.find_last_of("\\/");
#else
  const auto cut = program_file.rfind('/');
#endif
  return cut == std::string_view::npos ? std::string() : std::string(program_file.substr(0, cut));
}

std::string qves_folder(std::string_view path) {
  std::string folder(path);
#ifdef _WIN32
  folder += "\\cabinet\\sesam_vitale\\";
#else
  folder += "/cabinet/sesam_vitale/";
#endif
  return folder;
}

bool folder_can_be_entered(const std::string& folder) {
  std::error_code ec;
  if (!std::filesystem::is_directory(platform::path_from_setting(folder), ec)) return false;
#ifdef _WIN32
  return true;
#else
  // Entering a folder needs search permission on it.
  return ::access(folder.c_str(), X_OK) == 0;
#endif
}

}  // namespace noemie::store
