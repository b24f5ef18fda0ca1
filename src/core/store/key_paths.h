#pragma once
// The registry key paths of the program (entries 40000, 47851 and 1456 of its string table),
// all under HKEY_CURRENT_USER, and the profile sub-keys that `config_multi` selects.

#include <cstdint>
#include <string>
#include <string_view>

namespace noemie::store {

// The program key, where the viewer loads and saves its settings (entry 40000).
inline constexpr std::string_view kProgramKey = "software\\quillon";
// The legacy key, copied whole into the program key on a first run (entry 47851).
inline constexpr std::string_view kLegacyKey = "software\\quorvet(C)archivage";
// The suite key, read only by the conversion of old processed flags (entry 1456).
inline constexpr std::string_view kSuiteKey = "software\\Velmora";

// True when `config_multi` selects a profile sub-key: its value as a signed byte is above 0.
// Loading and saving use this same rule, so settings are read back from where they were saved.
constexpr bool profile_selected(std::int8_t config_multi) {
  return config_multi > 0;
}

// The profile sub-key path of `key_path` for profile n: "\config0" appended, then n added to
// the code of its last character ("software\quillon\config2" for n = 2).
inline std::string profile_key_path(std::string_view key_path, std::int8_t config_multi) {
  std::string path(key_path);
  path += "\\config0";
  path.back() = static_cast<char>(static_cast<unsigned char>(path.back()) +
                                  static_cast<unsigned char>(config_multi));
  return path;
}

}  // namespace noemie::store
