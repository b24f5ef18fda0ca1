// What an --output name designates, and writing into a device or pipe in place: Windows,
// where devices ("NUL", "CON", "COM1") and pipes ("\\.\pipe\name") are not files of a folder
// but are told apart by what opening them gives.

#include <windows.h>

#include "cli/export_output.h"
#include "core/platform/file_write.h"
#include "core/platform/path_text.h"
#include "core/platform/win32/long_path.h"
#include "core/platform/win32/system_error.h"

namespace noemie::cli {
namespace {

namespace fs = std::filesystem;

// One opened output, closed when it goes away.
class OpenedOutput {
 public:
  OpenedOutput(const fs::path& target, DWORD access)
      : handle_(CreateFileW(platform::win32::long_path(target).c_str(), access,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~OpenedOutput() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  OpenedOutput(const OpenedOutput&) = delete;
  OpenedOutput& operator=(const OpenedOutput&) = delete;

  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace

OutputKind output_kind(const std::string& output) {
  if (output == "-") return OutputKind::StandardOutput;
  const fs::path target = platform::path_from_native_text(output);
  const DWORD attributes = GetFileAttributesW(platform::win32::long_path(target).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return OutputKind::Folder;
  }
  // Opening without any access only asks what the name is: a disk file, or a device or pipe
  // that a rename must never replace.
  const OpenedOutput opened(target, 0);
  if (opened.get() == INVALID_HANDLE_VALUE) return OutputKind::RegularFile;
  return GetFileType(opened.get()) == FILE_TYPE_DISK ? OutputKind::RegularFile
                                                     : OutputKind::Special;
}

std::string write_in_place(const fs::path& target, const ByteMaker& make) {
  std::error_code error;
  {
    const OpenedOutput opened(target, GENERIC_WRITE);
    if (opened.get() == INVALID_HANDLE_VALUE) {
      error = platform::win32::last_error_code();
    } else {
      const auto sink = [&](std::string_view bytes) {
        if (!error) {
          error = platform::write_all(reinterpret_cast<std::intptr_t>(opened.get()), bytes,
                                      std::errc::io_error);
        }
        return !error;
      };
      if (!make(sink) && !error) error = std::make_error_code(std::errc::io_error);
    }
  }
  if (!error) return {};
  return "cannot write the export to " + platform::path_to_native_text(target) + ": " +
         error.message();
}

}  // namespace noemie::cli
