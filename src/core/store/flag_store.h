#pragma once
// The processed-flag store: the processing state (0 to 3) of each return file, by file
// number, kept in the flag file "RSPstate.dat" of the archive folder, one byte per file
// number and nothing else. When no usable flag file exists, the states are taken over once
// from the "RSP_traite" bitmap that earlier versions of the suite kept in the registry.
//
// A state is shown as the list icon 6 + state. File numbers above 99,999,999 have no stored
// state: their states live in memory for the current run only and never grow the file.

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/dialogs.h"
#include "core/store/config.h"
#include "core/store/registry.h"
#include "core/store/shared_file.h"

namespace noemie::store {

// Name of the flag file, appended directly to `path_arch`.
inline constexpr std::string_view kFlagFileName = "RSPstate.dat";
// The registry bitmap of earlier versions, in the suite key (or its profile sub-key).
inline constexpr std::string_view kFlagBitmapValue = "RSP_traite";
// Icon of state 0; state s shows icon kStateIconBase + s.
inline constexpr int kStateIconBase = 6;
// The highest file number that has a stored state.
inline constexpr std::uint64_t kMaxStoredFileNumber = 99'999'999;

// The conversion notice.
inline constexpr std::string_view kConversionText =
    "Conversion automatique(VL v < 1.55) des indicateurs des fichiers RSP";
inline constexpr std::string_view kConversionCaption = "Info";
// Caption of the message shown when the flags could not be saved.
inline constexpr std::string_view kFlagSaveFailedCaption = "Velmora-Attention !";

// The file number of a return file's name: its leading decimal digits ("00012345.RSP" and
// "00012345.RSX" give 12345; "-5.RSP" and "abc.RSP" give 0). A number too large for 64 bits
// gives UINT64_MAX (it has no stored state either way).
std::uint64_t file_number(std::string_view name);

// The flag file of an archive folder: `path_arch` followed directly by "RSPstate.dat" (so
// `path_arch` ends with the separator; "" names the file in the current directory).
std::filesystem::path flag_file_path(std::string_view path_arch);

// The message shown when the flags could not be saved to `file` (Windows-1252).
std::string flag_save_failure_message(const std::filesystem::path& file);

// Outcome of ecrit_info_traite.
struct FlagSaveResult {
  bool saved = false;    // the flag file holds every change of this run (none is a success)
  bool written = false;  // the flag file was replaced
  std::filesystem::path file;
  std::string error;  // why not saved, in one line; "" when saved
};

class FlagStore {
 public:
  // Both services must outlive the store.
  FlagStore(Registry& registry, platform::Dialogs& dialogs);

  // Loads the states from the flag file of `config.path_arch`. A file of 0 or 1 byte, a
  // missing file or one that cannot be read is converted from the registry bitmap instead
  // (which may set `config.config_multi`). When `create_missing_file` is true a missing flag
  // file is created empty (the desktop viewer); the headless commands pass false. Forgets the
  // changes of an earlier load.
  void lit_info_traite(Config& config, bool create_missing_file = true);

  // Saves what this run changed to the flag file of `config.path_arch`, so that programs
  // sharing the file never erase each other's marks: under the file's lock, the file is read
  // as it is now, given the states this run set (a file that held no states takes the
  // converted registry bitmap first), grown to every file number this run looked up, and
  // replaced atomically; then the lock is released. A run that changed nothing writes
  // nothing. A lock not had in time, a file that cannot be read (it is then left as it is)
  // or cannot be written is reported and keeps the changes for a later save.
  FlagSaveResult ecrit_info_traite(const Config& config);

  // The halves of loading and saving that do not touch the file: the states from the flag
  // file as read (what lit_info_traite does once it has read it), and the file's new content
  // from its content now (`current`; nullopt for no file), which ecrit_info_traite writes
  // under the lock.
  void take_flag_file(const FileRead& read, Config& config);
  std::string with_changes(const std::optional<std::string>& current) const;

  // Builds the states from the "RSP_traite" bitmap of the suite key (or of the profile
  // sub-key that the suite's `config_multi`, stored into `config.config_multi`, selects):
  // n bytes give (n - 1) × 8 states, one bit each, the last byte unused. Shows the
  // conversion notice when there is a bitmap; one state 0 when there is none.
  void conv_info_traite(Config& config);

  // The state icon of a return file (6 to 9), from the number of `file_name` up to its first
  // ".". Grows the states to that number (new states 0) and repairs a state outside 0 to 3
  // (in memory: a repair alone is not a change to save).
  int rsp_traite(std::string_view file_name);

  // Steps the state of file number `n` (3 wraps to 0); returns the new state.
  int rsp_traite_set(std::uint64_t n);

  // Sets the state of file number `n` to `state`; returns it.
  int rsp_traite_set_(std::uint64_t n, int state);

  // The states, indexed by file number.
  const std::vector<std::uint8_t>& info_traite() const { return info_traite_; }
  // Number of states (at least 1 once loaded).
  std::int32_t lg_info_traite() const { return static_cast<std::int32_t>(info_traite_.size()); }

  // True when a save has something to write: a stored state set or stepped since the load
  // or the last save, or states converted from the registry bitmap.
  bool has_changes() const { return !changes_.empty() || !converted_.empty(); }

  // How saves lock and write the flag file (the lock wait; a full disk for tests).
  void set_save_options(const SharedFileOptions& options) { save_options_ = options; }

 private:
  // The stored state of `n`, grown to when needed; null when `n` has no stored state.
  std::uint8_t* stored_state(std::uint64_t n);
  std::uint8_t& state_of(std::uint64_t n);
  // Sets the state of `n` and remembers the change when the state is stored.
  int set_state(std::uint64_t n, int state);
  // After a save that wrote `merged`: memory is the file, and no change is left to save.
  void changes_saved(const std::string& merged);

  Registry& registry_;
  platform::Dialogs& dialogs_;
  SharedFileOptions save_options_;
  std::vector<std::uint8_t> info_traite_;
  // States of numbers without stored state, for this run only.
  std::map<std::uint64_t, std::uint8_t> unstored_;
  // The states this run set, by file number: all that a save writes over the file.
  std::map<std::uint64_t, std::uint8_t> changes_;
  // The states converted from the registry bitmap when the flag file held none; a save
  // starts from them while the file still holds none.
  std::vector<std::uint8_t> converted_;
};

}  // namespace noemie::store
