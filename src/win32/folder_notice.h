#pragma once
// The system's word that something changed in a folder (a file made, renamed, removed,
// written or resized), posted to a window as a message: a thread of its own waits on a
// change notification of the folder, so that the window's message loop stays as it is.
// Notices come as often as the system gives them; the window decides when to look.

#include <windows.h>

#include <filesystem>
#include <thread>

namespace noemie::win32 {

class FolderNotice {
 public:
  // Posts `message` to `window` after each change in `folder`. When the system cannot watch
  // the folder, nothing is posted (the window's own looks still find the changes).
  FolderNotice(const std::filesystem::path& folder, HWND window, UINT message);
  ~FolderNotice();
  FolderNotice(const FolderNotice&) = delete;
  FolderNotice& operator=(const FolderNotice&) = delete;

  bool watching() const { return change_ != INVALID_HANDLE_VALUE; }

 private:
  void wait_for_changes(HWND window, UINT message);

  HANDLE change_ = INVALID_HANDLE_VALUE;
  HANDLE stop_ = nullptr;
  std::thread thread_;
};

}  // namespace noemie::win32
