#pragma once
// Files that several programs update: the flag file of an archive folder (two viewers on a
// shared drive, the `mark` command) and a user's settings file (two viewers open at once).
// Each program brings the file up to date with its own changes only, under a lock, so that
// none erases what another wrote since it read the file.

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "core/store/atomic_file.h"
#include "core/store/file_lock.h"

namespace noemie::store {

// A whole file as it is now.
struct FileRead {
  std::optional<std::string> bytes;  // the content; nullopt when missing or unreadable
  bool missing = false;              // there is no such file
  std::string error;                 // why it could not be read, in one line; "" otherwise
};

// Reads `file` whole. Anything but a regular file (a folder, a pipe, a device) is refused
// without being opened, so that a read never blocks.
FileRead read_whole_file(const std::filesystem::path& file);

struct SharedFileOptions {
  // How long to wait for another program's lock before giving up.
  std::chrono::milliseconds lock_wait = kDefaultLockWait;
  AtomicWriteOptions write{};
};

// The outcome of an update.
struct SharedFileUpdate {
  bool written = false;  // the file was replaced
  std::string error;     // why the update failed, in one line; "" when it did not
};

// Makes the new content of a file from its content now (nullopt when there is no file).
// Returns nullopt to leave the file as it is, or sets `error` to give up.
using FileUpdater = std::function<std::optional<std::string>(
    const std::optional<std::string>& current, std::string& error)>;

// Locks `file` (FileLock), removes what earlier saves killed before their end left (their
// temporary files), reads the file as it is now, asks `update` for its new content, writes
// that atomically when it differs from the current content, and unlocks. A lock not had in
// time, a file that cannot be read, and a failed write are errors; the file is then left as
// it was.
SharedFileUpdate update_shared_file(const std::filesystem::path& file,
                                    const SharedFileOptions& options, const FileUpdater& update);

}  // namespace noemie::store
