#include "cli/export_output.h"

#include <cerrno>
#include <cstring>

#include "cli/console.h"
#include "core/platform/path_text.h"
#include "core/text/cp1252.h"

namespace noemie::cli {

std::string write_to_stream(std::FILE* out, const ByteMaker& make, std::string_view what) {
  errno = 0;
  const bool written = make([out](std::string_view bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  });
  const bool flushed = std::fflush(out) == 0;
  if (written && flushed && !std::ferror(out)) return {};
  const int error = errno != 0 ? errno : EIO;
  return "cannot write the export to " + std::string(what) + ": " + std::strerror(error);
}

std::string write_output(const std::string& output, const ByteMaker& make, bool text,
                         const std::function<std::string(const std::filesystem::path&)>& to_file) {
  switch (output_kind(output)) {
    case OutputKind::StandardOutput:
      // A terminal reads its own encoding; a file or a pipe gets the bytes as they are.
      if (text && is_terminal(stdout)) return write_to_terminal(stdout, make);
      return write_to_stream(stdout, make, "standard output");
    case OutputKind::Folder:
      return "cannot write the export to " + output + ": it is a folder";
    case OutputKind::Special:
      return write_in_place(platform::path_from_native_text(output), make);
    case OutputKind::RegularFile:
      break;
  }
  return to_file(platform::path_from_native_text(output));
}

std::string write_to_terminal(std::FILE* out, const ByteMaker& make) {
  errno = 0;
  const bool written =
      make([out](std::string_view bytes) { return write_text(out, text::cp1252_to_utf8(bytes)); });
  if (written) return {};
  const int error = errno != 0 ? errno : EIO;
  return "cannot write the export to the terminal: " + std::string(std::strerror(error));
}

}  // namespace noemie::cli
