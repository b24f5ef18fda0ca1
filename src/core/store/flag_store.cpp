#include "core/store/flag_store.h"

#include <fstream>
#include <limits>
#include <new>
#include <optional>

#include "core/platform/path_text.h"
#include "core/store/key_paths.h"

namespace noemie::store {
namespace {

namespace fs = std::filesystem;

// A file of at most this many bytes holds no states: they come from the registry bitmap.
constexpr std::size_t kNoStatesFileSize = 1;

// The flag file once this run's changes are applied to `current`, the file as it is now (the
// converted states when it holds none), grown to `length` bytes with state 0.
std::string merged_flag_file(const std::optional<std::string>& current,
                             const std::vector<std::uint8_t>& converted, std::size_t length,
                             const std::map<std::uint64_t, std::uint8_t>& changes) {
  std::string bytes = current.value_or(std::string());
  if (bytes.size() <= kNoStatesFileSize && !converted.empty()) {
    bytes.assign(converted.begin(), converted.end());
  }
  if (bytes.size() < length) bytes.resize(length, '\0');
  for (const auto& [number, state] : changes) {
    const auto index = static_cast<std::size_t>(number);
    if (index >= bytes.size()) bytes.resize(index + 1, '\0');
    bytes[index] = static_cast<char>(state);
  }
  return bytes;
}

std::string display_name(const fs::path& file) {
  return platform::path_to_cp1252(file);
}

}  // namespace

std::uint64_t file_number(std::string_view name) {
  constexpr auto kMax = std::numeric_limits<std::uint64_t>::max();
  std::uint64_t n = 0;
  for (const char c : name) {
    if (c < '0' || c > '9') break;
    const auto digit = static_cast<std::uint64_t>(c - '0');
    if (n > (kMax - digit) / 10) return kMax;
    n = n * 10 + digit;
  }
  return n;
}

fs::path flag_file_path(std::string_view path_arch) {
  std::string file(path_arch);
  file += kFlagFileName;
  return platform::path_from_setting(file);
}

std::string flag_save_failure_message(const fs::path& file) {
  return "Les marques des fichiers (trait\xE9s, non-trait\xE9s) n'ont pas pu \xEAtre "
         "enregistr\xE9"
         "es dans le fichier " +
         display_name(file) + ".";
}

FlagStore::FlagStore(Registry& registry, platform::Dialogs& dialogs)
    : registry_(registry), dialogs_(dialogs) {}

void FlagStore::lit_info_traite(Config& config, bool create_missing_file) {
  const fs::path file = flag_file_path(config.path_arch);
  const FileRead read = read_whole_file(file);
  // A first run leaves a flag file behind; a failure here only means none is left.
  if (read.missing && create_missing_file) std::ofstream(file, std::ios::binary | std::ios::app);
  take_flag_file(read, config);
}

void FlagStore::take_flag_file(const FileRead& read, Config& config) {
  info_traite_.clear();
  unstored_.clear();
  changes_.clear();
  converted_.clear();
  if (read.bytes && read.bytes->size() > kNoStatesFileSize &&
      read.bytes->size() <= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    info_traite_.assign(read.bytes->begin(), read.bytes->end());
    return;
  }
  conv_info_traite(config);
  // Converted states reach the flag file at the next save, unless the file held states that
  // could not be read: a save then starts from the file as it is by then.
  const bool held_no_states =
      read.missing || (read.bytes && read.bytes->size() <= kNoStatesFileSize);
  if (held_no_states && info_traite_.size() > 1) converted_ = info_traite_;
}

void FlagStore::conv_info_traite(Config& config) {
  info_traite_.assign(1, 0);
  RegistryKey key = registry_.open_key(kSuiteKey);
  if (key) {
    char multi = 0;
    const auto read = registry_.query_value(key, "config_multi", std::span<char>(&multi, 1));
    if (read && read->length == 1) config.config_multi = static_cast<std::int8_t>(multi);
    if (profile_selected(config.config_multi)) {
      key.close();
      key = registry_.open_key(profile_key_path(kSuiteKey, config.config_multi));
    }
  }
  if (!key) return;

  const auto size = registry_.query_value_size(key, kFlagBitmapValue);
  if (!size || size->length <= 1) return;
  dialogs_.message_box(kConversionText, kConversionCaption, platform::MessageIcon::None);
  std::string bitmap(size->length, '\0');
  const auto read = registry_.query_value(key, kFlagBitmapValue, bitmap);
  if (!read || read->length <= 1) return;
  // States past the highest stored file number could never be saved.
  const std::uint64_t count =
      std::min<std::uint64_t>((read->length - 1) * std::uint64_t{8}, kMaxStoredFileNumber + 1);
  info_traite_.assign(static_cast<std::size_t>(count), 0);
  for (std::size_t i = 0; i < info_traite_.size(); ++i) {
    info_traite_[i] = (static_cast<unsigned char>(bitmap[i / 8]) >> (i % 8)) & 1;
  }
}

std::string FlagStore::with_changes(const std::optional<std::string>& current) const {
  return merged_flag_file(current, converted_, info_traite_.size(), changes_);
}

void FlagStore::changes_saved(const std::string& merged) {
  info_traite_.assign(merged.begin(), merged.end());
  changes_.clear();
  converted_.clear();
}

FlagSaveResult FlagStore::ecrit_info_traite(const Config& config) {
  FlagSaveResult result;
  result.file = flag_file_path(config.path_arch);
  if (!has_changes()) {
    result.saved = true;
    return result;
  }
  std::string merged;
  const SharedFileUpdate update = update_shared_file(
      result.file, save_options_,
      [&](const std::optional<std::string>& current, std::string&) -> std::optional<std::string> {
        merged = with_changes(current);
        return merged;
      });
  result.error = update.error;
  result.written = update.written;
  result.saved = update.error.empty();
  // The file now holds this run's changes and every other program's: so does memory.
  if (result.saved) changes_saved(merged);
  return result;
}

std::uint8_t* FlagStore::stored_state(std::uint64_t n) {
  if (n > kMaxStoredFileNumber) return nullptr;
  const auto index = static_cast<std::size_t>(n);
  if (index >= info_traite_.size()) {
    try {
      info_traite_.resize(index + 1, 0);
    } catch (const std::bad_alloc&) {
      return nullptr;
    }
  }
  return &info_traite_[index];
}

std::uint8_t& FlagStore::state_of(std::uint64_t n) {
  if (std::uint8_t* stored = stored_state(n)) return *stored;
  return unstored_[n];
}

int FlagStore::rsp_traite(std::string_view file_name) {
  // The number ends at the first "." anyway; the caller's name is left as it is.
  std::uint8_t& state = state_of(file_number(file_name));
  if (state > 3) state = 0;
  return kStateIconBase + state;
}

int FlagStore::set_state(std::uint64_t n, int state) {
  const auto byte = static_cast<std::uint8_t>(state);
  if (std::uint8_t* stored = stored_state(n)) {
    *stored = byte;
    changes_[n] = byte;
  } else {
    unstored_[n] = byte;
  }
  return state;
}

int FlagStore::rsp_traite_set(std::uint64_t n) {
  const int state = state_of(n);
  return set_state(n, state + 1 > 3 ? 0 : state + 1);
}

int FlagStore::rsp_traite_set_(std::uint64_t n, int state) {
  return set_state(n, state);
}

}  // namespace noemie::store
