#pragma once
// Tells whether a file is opened while the watch lives, for tests of what a refill spares. On
// Linux it counts the file's opens (inotify on its folder). Windows cannot count them: the file
// is held open without sharing instead, so that any other open of it fails, and the fill says
// so (a fault, the file read again).

#include <filesystem>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/inotify.h>
#include <unistd.h>
#endif

namespace noemie::testing {

class OpenWatch {
 public:
  explicit OpenWatch(const std::filesystem::path& file) : name_(file.filename().string()) {
#ifdef _WIN32
    held_ = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
#else
    fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ >= 0) inotify_add_watch(fd_, file.parent_path().c_str(), IN_OPEN);
#endif
  }
  ~OpenWatch() {
#ifdef _WIN32
    if (held_ != INVALID_HANDLE_VALUE) CloseHandle(held_);
#else
    if (fd_ >= 0) close(fd_);
#endif
  }
  OpenWatch(const OpenWatch&) = delete;
  OpenWatch& operator=(const OpenWatch&) = delete;

  // The file's opens since the watch started; always 0 on Windows.
  int opens() {
#ifndef _WIN32
    alignas(inotify_event) char buffer[4096];
    for (ssize_t n; (n = read(fd_, buffer, sizeof buffer)) > 0;) {
      for (ssize_t at = 0; at < n;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
        if (event->len > 0 && name_ == event->name) ++opens_;
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
#endif
    return opens_;
  }

 private:
  std::string name_;
  int opens_ = 0;
#ifdef _WIN32
  HANDLE held_ = INVALID_HANDLE_VALUE;
#else
  int fd_ = -1;
#endif
};

}  // namespace noemie::testing
