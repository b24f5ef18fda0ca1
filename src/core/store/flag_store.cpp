#include "core/store/flag_store.h"

#include <fstream>
#include <limits>
#include <new>
#include <optional>
#include <system_error>

#include "core/platform/path_text.h"
#include "core/store/atomic_file.h"
#include "core/store/key_paths.h"

namespace noemie::store {
namespace {

namespace fs = std::filesystem;

// The whole file, or nothing when it cannot be opened or read.
std::optional<std::string> read_whole_file(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in.is_open()) return std::nullopt;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0) return std::nullopt;
  in.seekg(0, std::ios::beg);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (!in.read(bytes.data(), size)) return std::nullopt;
  return bytes;
}

// What the file holds from `offset` on ("" when it is shorter or cannot be read).
std::string read_tail(const fs::path& file, std::size_t offset) {
  std::ifstream in(file, std::ios::binary);
  if (!in.is_open()) return {};
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size <= static_cast<std::streamoff>(offset)) return {};
  in.seekg(static_cast<std::streamoff>(offset), std::ios::beg);
  std::string tail(static_cast<std::size_t>(size - static_cast<std::streamoff>(offset)), '\0');
  if (!in.read(tail.data(), static_cast<std::streamsize>(tail.size()))) return {};
  return tail;
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
  info_traite_.clear();
  unstored_.clear();
  unreadable_file_.clear();
  const fs::path file = flag_file_path(config.path_arch);

  std::error_code ec;
  const auto status = fs::status(file, ec);
  if (status.type() == fs::file_type::not_found) {
    // A first run leaves a flag file behind; a failure here only means none is left.
    if (create_missing_file) std::ofstream(file, std::ios::binary | std::ios::app);
    conv_info_traite(config);
    return;
  }

  const auto bytes = fs::is_directory(status) ? std::nullopt : read_whole_file(file);
  if (!bytes ||
      bytes->size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    // The file may hold states we could not read: convert for this run, but never let a
    // save replace it.
    unreadable_file_ = file;
    conv_info_traite(config);
    return;
  }
  if (bytes->size() <= 1) {
    conv_info_traite(config);
    return;
  }
  info_traite_.assign(bytes->begin(), bytes->end());
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

FlagSaveResult FlagStore::ecrit_info_traite(const Config& config) {
  FlagSaveResult result;
  result.file = flag_file_path(config.path_arch);
  if (info_traite_.empty()) {
    result.error = "no flags were loaded, so none are saved";
    return result;
  }
  if (!unreadable_file_.empty()) {
    result.error = "the flag file " + platform::path_to_native_text(unreadable_file_) +
                   " could not be read when it was loaded and is left as it is";
    return result;
  }
  std::string bytes(info_traite_.begin(), info_traite_.end());
  // The file was never truncated: what another program added past our states stays.
  bytes += read_tail(result.file, bytes.size());
  result.error = write_file_atomically(result.file, bytes);
  result.saved = result.error.empty();
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

int FlagStore::rsp_traite_set(std::uint64_t n) {
  std::uint8_t& state = state_of(n);
  const int next = state + 1 > 3 ? 0 : state + 1;
  state = static_cast<std::uint8_t>(next);
  return next;
}

int FlagStore::rsp_traite_set_(std::uint64_t n, int state) {
  state_of(n) = static_cast<std::uint8_t>(state);
  return state;
}

}  // namespace noemie::store
