#include "core/platform/file_write.h"

#include <unistd.h>

#include <cerrno>
#include <cstddef>

namespace noemie::platform {

std::error_code write_all(std::intptr_t handle, std::string_view bytes, std::errc nothing_written) {
  const int fd = static_cast<int>(handle);
  while (!bytes.empty()) {
    const ::ssize_t n =
        ::write(fd, bytes.data(), bytes.size() < (1u << 30) ? bytes.size() : 1u << 30);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return {errno, std::generic_category()};
    if (n == 0) return std::make_error_code(nothing_written);
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return {};
}

}  // namespace noemie::platform
