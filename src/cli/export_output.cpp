#include "cli/export_output.h"

#include <cerrno>
#include <cstring>

#include "cli/console.h"
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

std::string write_to_terminal(std::FILE* out, const ByteMaker& make) {
  errno = 0;
  const bool written =
      make([out](std::string_view bytes) { return write_text(out, text::cp1252_to_utf8(bytes)); });
  if (written) return {};
  const int error = errno != 0 ? errno : EIO;
  return "cannot write the export to the terminal: " + std::string(std::strerror(error));
}

}  // namespace noemie::cli
