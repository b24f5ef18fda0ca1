#include "core/platform/program_file.h"

#include <system_error>

namespace noemie::platform {

std::filesystem::path running_program_file() {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : exe;
}

}  // namespace noemie::platform
