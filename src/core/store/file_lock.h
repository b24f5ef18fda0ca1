#pragma once
// An exclusive lock between the programs that update one shared file (two viewers on the same
// archive folder of a shared drive, the headless `mark` command, a viewer's settings).
//
// The lock is taken on a sibling lock file, "<file>.lock", never on the file itself: the file
// is replaced by a rename at every save (atomic_file.h), so a lock held on it would be held on
// the old file once the new one is in place, and Windows refuses to rename over a file that is
// held open. The lock file is created when missing and never removed (removing it would let
// two programs lock two different files of that name). The lock goes when its holder releases
// it or ends, however it ends.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>

namespace noemie::store {

// How long a save waits for the lock before it gives up and says so.
inline constexpr std::chrono::milliseconds kDefaultLockWait{5000};

class FileLock {
 public:
  // Takes the lock of `file`, waiting up to `wait` for another holder to release it. An empty
  // FileLock (false) is what a failure gives; error() then says why in one line.
  static FileLock acquire(const std::filesystem::path& file, std::chrono::milliseconds wait);

  FileLock() = default;
  FileLock(FileLock&& other) noexcept;
  FileLock& operator=(FileLock&& other) noexcept;
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  // Releases the lock.
  ~FileLock();

  explicit operator bool() const { return held_; }
  const std::string& error() const { return error_; }

 private:
  void release();

  bool held_ = false;
  std::intptr_t handle_ = -1;  // a file descriptor, or a Windows HANDLE
  std::string error_;
};

// The lock file of `file`: its name followed by ".lock", in the same folder.
std::filesystem::path lock_file_path(const std::filesystem::path& file);

}  // namespace noemie::store
