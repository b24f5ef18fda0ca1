#include "win32/folder_notice.h"

namespace noemie::win32 {

FolderNotice::FolderNotice(const std::filesystem::path& folder, HWND window, UINT message) {
  change_ = FindFirstChangeNotificationW(
      folder.c_str(), FALSE,
      FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE);
  if (change_ == INVALID_HANDLE_VALUE) return;
  stop_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!stop_) {
    FindCloseChangeNotification(change_);
    change_ = INVALID_HANDLE_VALUE;
    return;
  }
  thread_ = std::thread([this, window, message] { wait_for_changes(window, message); });
}

FolderNotice::~FolderNotice() {
  if (thread_.joinable()) {
    SetEvent(stop_);
    thread_.join();
  }
  if (stop_) CloseHandle(stop_);
  if (change_ != INVALID_HANDLE_VALUE) FindCloseChangeNotification(change_);
}

void FolderNotice::wait_for_changes(HWND window, UINT message) {
  const HANDLE handles[] = {stop_, change_};
  while (WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
    PostMessageW(window, message, 0, 0);
    if (!FindNextChangeNotification(change_)) return;
  }
}

}  // namespace noemie::win32
