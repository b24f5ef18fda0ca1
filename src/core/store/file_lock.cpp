#include "core/store/file_lock.h"


#include <cerrno>
#include <system_error>
#include <thread>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

#include "core/platform/path_text.h"

namespace noemie::store {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Between two tries: short, since a holder keeps the lock only for the few milliseconds of
// one read and one write.
constexpr std::chrono::milliseconds kRetryPause{10};

std::string describe(const fs::path& lock_file, std::string_view what, int error) {
  return "cannot lock " + platform::path_to_native_text(lock_file) + ": " + std::string(what) +
         (error != 0 ? " (" + std::generic_category().message(error) + ")" : std::string());
}

constexpr std::intptr_t kNoHandle = -1;

#ifdef _WIN32

std::intptr_t open_lock_file(const fs::path& lock_file, int& error) {
  // Every kind of sharing, so that a holder never stops anyone from opening the file; the
  // byte-range lock below is what excludes. A lock file that another user created may be
  // read-only to us; it locks all the same.
  const DWORD sharing = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  HANDLE h = CreateFileW(lock_file.c_str(), GENERIC_READ | GENERIC_WRITE, sharing, nullptr,
                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED) {
    h = CreateFileW(lock_file.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  if (h == INVALID_HANDLE_VALUE) {
    error = EACCES;
    return kNoHandle;
  }
  return reinterpret_cast<std::intptr_t>(h);
}

// True when the lock is now held; false when another holder has it.
bool try_lock(std::intptr_t handle, int& error) {
  OVERLAPPED at{};
  if (LockFileEx(reinterpret_cast<HANDLE>(handle),
                 LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
    return true;
  }
  if (GetLastError() != ERROR_LOCK_VIOLATION) error = EACCES;
  return false;
}

void close_lock_file(std::intptr_t handle) {
  // Closing the handle releases its lock.
  CloseHandle(reinterpret_cast<HANDLE>(handle));
}

#else

std::intptr_t open_lock_file(const fs::path& lock_file, int& error) {
  int fd = ::open(lock_file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  // A lock file that another user created may be read-only to us; it locks all the same.
  if (fd < 0 && errno == EACCES) fd = ::open(lock_file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) error = errno;
  return fd;
}

// flock, not fcntl: its lock belongs to this open file, so that two stores of one process
// exclude each other, and closing some other descriptor of the file never drops it.
bool try_lock(std::intptr_t handle, int& error) {
  for (;;) {
    if (::flock(static_cast<int>(handle), LOCK_EX | LOCK_NB) == 0) return true;
    if (errno == EINTR) continue;
    if (errno != EWOULDBLOCK) error = errno;
    return false;
  }
}

void close_lock_file(std::intptr_t handle) {
  // Closing the descriptor releases its lock.
  ::close(static_cast<int>(handle));
}

#endif

}  // namespace

fs::path lock_file_path(const fs::path& file) {
  fs::path lock = file;
  lock += ".lock";
  return lock;
}

FileLock FileLock::acquire(const fs::path& file, std::chrono::milliseconds wait) {
  FileLock lock;
  const fs::path lock_file = lock_file_path(file);
  int error = 0;
  lock.handle_ = open_lock_file(lock_file, error);
  if (lock.handle_ == kNoHandle) {
    lock.error_ = describe(lock_file, "the lock file cannot be opened", error);
    return lock;
  }
  const auto deadline = Clock::now() + wait;
  for (;;) {
    if (try_lock(lock.handle_, error)) {
      lock.held_ = true;
      return lock;
    }
    if (error != 0) {
      lock.error_ = describe(lock_file, "the lock cannot be taken", error);
      break;
    }
    if (Clock::now() >= deadline) {
      lock.error_ = describe(
          lock_file,
          "another program held it for more than " + std::to_string(wait.count()) + " ms", 0);
      break;
    }
    std::this_thread::sleep_for(kRetryPause);
  }
  close_lock_file(lock.handle_);
  lock.handle_ = kNoHandle;
  return lock;
}

FileLock::FileLock(FileLock&& other) noexcept
    : held_(std::exchange(other.held_, false)),
      handle_(std::exchange(other.handle_, kNoHandle)),
      error_(std::move(other.error_)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
  if (this != &other) {
    release();
    held_ = std::exchange(other.held_, false);
    handle_ = std::exchange(other.handle_, kNoHandle);
    error_ = std::move(other.error_);
  }
  return *this;
}

FileLock::~FileLock() {
  release();
}

void FileLock::release() {
  if (handle_ != kNoHandle) close_lock_file(handle_);
  handle_ = kNoHandle;
  held_ = false;
}

}  // namespace noemie::store
