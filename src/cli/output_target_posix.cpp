// What an --output name designates, and writing into a device or pipe in place: POSIX.

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "cli/export_output.h"
#include "core/platform/file_write.h"
#include "core/platform/path_text.h"

namespace noemie::cli {

namespace fs = std::filesystem;

OutputKind output_kind(const std::string& output) {
  if (output == "-") return OutputKind::StandardOutput;
  std::error_code ec;
  const fs::file_status status = fs::status(platform::path_from_native_text(output), ec);
  if (ec || !fs::exists(status)) return OutputKind::RegularFile;
  if (fs::is_directory(status)) return OutputKind::Folder;
  // Replacing a device or a pipe by a new file (as the atomic write would) must never happen:
  // run as root, "--output /dev/null" would otherwise swap the system's /dev/null for a file.
  if (!fs::is_regular_file(status)) return OutputKind::Special;
  return OutputKind::RegularFile;
}

std::string write_in_place(const fs::path& target, const ByteMaker& make) {
  const auto failure = [&](int error) {
    return "cannot write the export to " + platform::path_to_native_text(target) + ": " +
           std::strerror(error);
  };
  const int fd = ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return failure(errno);
  int error = 0;
  const auto sink = [&](std::string_view bytes) {
    if (error == 0) error = platform::write_all(fd, bytes, std::errc::io_error).value();
    return error == 0;
  };
  try {
    if (!make(sink) && error == 0) error = EIO;
  } catch (...) {
    ::close(fd);
    throw;
  }
  if (::close(fd) != 0 && error == 0) error = errno;
  return error == 0 ? std::string() : failure(error);
}

}  // namespace noemie::cli
