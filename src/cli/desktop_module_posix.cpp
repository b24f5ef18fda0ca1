#include "cli/desktop_module.h"

#include <dlfcn.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "cli/headless_run.h"
#include "core/platform/program_file.h"

namespace noemie::cli {
namespace {

constexpr const char* kModuleName = "noemie-viewer-desktop.so";
constexpr const char* kEntryName = "noemie_viewer_run_desktop";

using DesktopEntry = int (*)(int, char**);

}  // namespace

int run_desktop_module(int argc, char** argv) {
  namespace fs = std::filesystem;
  const fs::path program_folder = platform::running_program_file().parent_path();
  // Beside the program in a build tree; in the package's library folder once installed.
  const fs::path places[] = {program_folder / kModuleName,
                             program_folder / NOEMIE_DESKTOP_MODULE_DIR / kModuleName};
  std::string why;
  for (const fs::path& place : places) {
    std::error_code error;
    if (!fs::exists(place, error)) continue;
    void* module = dlopen(place.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
      const char* reason = dlerror();
      why = reason ? reason : place.string();
      break;
    }
    // The module stays loaded until the process ends: the toolkit's objects live that long.
    const auto entry = reinterpret_cast<DesktopEntry>(dlsym(module, kEntryName));
    if (!entry) {
      why = place.string() + " has no " + kEntryName;
      break;
    }
    return entry(argc, argv);
  }
  if (why.empty()) why = std::string(kModuleName) + " is not installed beside the program";
  print_error("the desktop viewer cannot start: " + why);
  return 1;
}

}  // namespace noemie::cli
