#include "core/platform/absolute_path.h"

#include <system_error>

namespace noemie::platform {

std::filesystem::path absolute_path(const std::filesystem::path& path) {
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  return ec ? path : absolute.lexically_normal();
}

}  // namespace noemie::platform
