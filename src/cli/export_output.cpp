#include "cli/export_output.h"

#include <cerrno>
#include <cstring>

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

}  // namespace noemie::cli
