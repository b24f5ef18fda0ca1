#include "core/platform/program_file.h"

#include <windows.h>

#include <string>

namespace noemie::platform {

std::filesystem::path running_program_file() {
  // The name is cut to the room given without an error: grow the room until it fits.
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD size = static_cast<DWORD>(name.size());
    const DWORD length = GetModuleFileNameW(nullptr, name.data(), size);
    if (length == 0) return {};
    if (length < size) {
      name.resize(length);
      return name;
    }
    if (name.size() >= 32768) return {};  // no path of Windows is longer
    name.resize(name.size() * 2);
  }
}

}  // namespace noemie::platform
