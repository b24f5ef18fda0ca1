#pragma once
// The settings store where no Windows registry exists: the keys under HKEY_CURRENT_USER that
// the program uses, kept in one registry export text file (see reg_format.h).
//
// The file is read when the store is made, and saved when a key is closed after a change and
// no other key is open (so that a change spanning several keys, such as a tree copy or a save
// into a profile sub-key, reaches the file whole), and at flush(). Two programs may use the
// file at once (two viewers open): a save takes the file's lock, reads the file as it is now,
// takes in every value another program stored since this store last read or wrote it (unless
// this store changed that value too: the later save wins), and writes the file whole and
// atomically. A save with no change of its own writes nothing. A file that cannot be read
// completely is first kept beside itself as "<name>.bad" and reported in one line; the run
// goes on with what could be read. No save ever replaces a file that could not be read or
// kept aside.

#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "core/store/shared_file.h"
#include "core/store/tree_registry.h"

namespace noemie::store {

class RegFileRegistry final : public TreeRegistry {
 public:
  enum class Mode {
    ReadWrite,
    // Nothing is ever written, not even the ".bad" copy: changes live in memory only.
    ReadOnly,
  };

  // Loads `file` (a missing file is an empty store). Problems with the file go, one line
  // each, to `warnings`, which must outlive the store.
  RegFileRegistry(std::filesystem::path file, std::ostream& warnings, Mode mode = Mode::ReadWrite);
  // Saves pending changes (a failure is reported to `warnings`), unless saves are held.
  ~RegFileRegistry() override;

  RegFileRegistry(const RegFileRegistry&) = delete;
  RegFileRegistry& operator=(const RegFileRegistry&) = delete;

  // Saves now if anything changed since the last save. True when the file holds every change
  // (always, in read-only mode); otherwise last_error() says why.
  bool flush();

  // While saves are held, closing a key after a change keeps the change in memory only, and
  // the store's end drops it: nothing reaches the file (the ".bad" copy made at load aside).
  // Once the hold ends, the next key closed after a change, or flush(), saves every change.
  // The desktop viewer holds saves until the user has chosen a folder, so that a cancelled
  // start writes nothing.
  void hold_saves(bool held) { saves_held_ = held; }
  bool saves_held() const { return saves_held_; }

  // Why the last save failed, in one line; "" when it succeeded.
  const std::string& last_error() const { return last_error_; }

  const std::filesystem::path& file() const { return file_; }
  // Where a file that could not be read is kept: the file's name followed by ".bad".
  std::filesystem::path bad_copy_path() const;

  // How saves lock and write the file (the lock wait; a full disk for tests).
  void set_save_options(const SharedFileOptions& options);

 protected:
  bool keep_changes() override;

 private:
  void load();
  bool save();
  void warn(std::string_view line);
  // The tree of a file's `bytes`. Bytes that cannot be read completely are kept aside first
  // (ReadWrite mode); when they cannot be, `blocked` says why and the file must stay as it is.
  KeyNode read_tree(const std::string& bytes, std::string& blocked);

  std::filesystem::path file_;
  std::ostream& warnings_;
  Mode mode_;
  // Set when the file on disk holds something we could not read and could not keep aside:
  // it must then never be replaced.
  std::string save_blocked_;
  std::string last_error_;
  bool saves_held_ = false;
  SharedFileOptions save_options_;
  // The tree as the file held it when this store last read or wrote it, and the file's bytes
  // then (nullopt: there was no file): what the store's own changes are measured against.
  KeyNode on_disk_{"HKEY_CURRENT_USER"};
  std::optional<std::string> disk_bytes_;
};

// Looks up an environment variable; empty when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(std::string_view name)>;

// The settings file: $NOEMIE_VIEWER_SETTINGS when set, else
// $XDG_CONFIG_HOME/noemie-viewer/settings.reg (when set to an absolute path), else
// $HOME/.config/noemie-viewer/settings.reg. Variables set to "" count as not set. Empty when
// none of them gives a path.
std::optional<std::filesystem::path> settings_file_path(const EnvironmentLookup& env);
// The same, from the process's environment.
std::optional<std::filesystem::path> settings_file_path();

}  // namespace noemie::store
