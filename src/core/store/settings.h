#pragma once
// The settings store: loads the settings record from the program key at start-up, saves it
// whole when asked, takes the settings over from the legacy key on a first run, and checks
// the practice folder of the Quorvet program in one special case.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/dialogs.h"
#include "core/store/config.h"
#include "core/store/key_paths.h"
#include "core/store/registry.h"

namespace noemie::store {

// The practice-folder warning of is_QVES (Windows-1252, typo included as the users know it).
extern const std::string_view kQvesWarningText;
inline constexpr std::string_view kQvesWarningCaption = "Velmora-Attention !";

// Room given to a key or value name when copying a tree (259 characters and a terminator),
// and to a value's data: a value with more data ends the copy of its key's values.
inline constexpr std::size_t kCopyNameRoom = 260;
inline constexpr std::size_t kCopyDataRoom = 10000;

class Settings {
 public:
  // `program_file` is the full path of the running program's file (the caller reads it from
  // the platform); `rep_VL` is its folder. Both services must outlive the object.
  Settings(Registry& registry, platform::Dialogs& dialogs, std::string program_file);

  // The settings record, read and changed directly by the rest of the program.
  Config config;

  // Loads the record from `key_path` under HKEY_CURRENT_USER: on a first run copies the
  // legacy key in; puts the defaults in place; reads the settings from the key or from the
  // profile sub-key that `config_multi` selects, each value only when it fits its field; with
  // no key to read, saves the defaults at once. Then sets `rep_VL` and runs cree_config().
  void lit_config(std::string_view key_path = kProgramKey);

  // Saves the record under `key_path` (created when missing): `config_multi` in the key
  // itself, every other setting in the profile sub-key when `config_multi` is above 0,
  // `version` as 1 and `sous-version` as 13 (the record is set to them too), `rep_VL` last.
  // Only the settings that changed since they were loaded or last saved are written, so that
  // a save never puts back a value that another program changed since this one loaded it;
  // into a key this object has not read or written before, every setting is written. False when the key
  // could not be created or a value not written or kept.
  bool ecrit_config(std::string_view key_path = kProgramKey);

  // Copies every sub-key and value of `source` into `destination`, recursively. Names longer
  // than 259 characters end the enumeration they are met in; so does a value with more than
  // 10000 bytes of data, for the values of its key.
  void copie_key(const RegistryKey& source, const RegistryKey& destination);

  // The practice-folder check on the loaded `path`, `cabinet` and `user`.
  void cree_config();

  // When `cabinet` is "cabinet" (any case): warns with a message box if the folder
  // `path`/cabinet/sesam_vitale cannot be entered, and returns 1. Otherwise returns 0 without
  // checking anything. `user` is not used. The current directory is never changed.
  int is_QVES(std::string_view path, std::string_view cabinet, std::string_view user);

 private:
  // Reads setting `index` of the table into the record (or only notes its stored bytes, when
  // `into_record` is false).
  bool read_setting(const RegistryKey& key, std::size_t index, bool into_record = true);
  bool write_setting(const RegistryKey& key, std::size_t index);

  Registry& registry_;
  platform::Dialogs& dialogs_;
  std::string program_file_;
  // What the store holds, as far as this object knows: the key that the settings other than
  // `config_multi` were last read from or written to, and the bytes of each setting there (by
  // index in the setting table; nullopt when absent or not known).
  std::string stored_key_;
  std::vector<std::optional<std::string>> stored_;
};

// The folder of a program file: the path cut before its last separator ("/"; "\" or "/" on
// Windows); "" when it has none.
std::string program_folder(std::string_view program_file);

// The folder that is_QVES tests: `path` followed by the platform's form of
// "\cabinet\sesam_vitale\".
std::string qves_folder(std::string_view path);

// True when `folder` exists, is a folder and could be made the current directory.
bool folder_can_be_entered(const std::string& folder);

}  // namespace noemie::store
