#include "cli/headless_run.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string_view>

#include "cli/console.h"
#include "core/platform/path_text.h"
#include "core/platform/program_file.h"
#include "core/store/reg_file_registry.h"
#include "core/store/tree_registry.h"
#ifdef _WIN32
#include "core/store/key_paths.h"
#include "core/store/registry_snapshot.h"
#include "core/store/windows_registry.h"
#endif

namespace noemie::cli {

namespace fs = std::filesystem;

void print_error(const std::string& line) {
  write_text(stderr, "noemie-viewer: " + line + "\n");
}

std::string program_file() {
  return platform::path_to_setting(platform::running_program_file());
}

std::unique_ptr<store::Registry> open_settings_store() {
#ifdef _WIN32
  // A copy of the registry's keys, unless $NOEMIE_VIEWER_SETTINGS names a settings file.
  const wchar_t* named = _wgetenv(L"NOEMIE_VIEWER_SETTINGS");
  if (named == nullptr || *named == L'\0') {
    auto copy = std::make_unique<store::MemoryRegistry>();
    store::WindowsRegistry registry;
    for (const std::string_view key : {store::kProgramKey, store::kLegacyKey, store::kSuiteKey}) {
      store::copy_key_into_tree(registry, key, copy->edit_tree());
    }
    return copy;
  }
  const std::optional<fs::path> path = fs::path(named);
#else
  const std::optional<fs::path> path = store::settings_file_path();
  if (!path) return std::make_unique<store::MemoryRegistry>();
#endif
  return std::make_unique<store::RegFileRegistry>(*path, std::cerr,
                                                  store::RegFileRegistry::Mode::ReadOnly);
}

}  // namespace noemie::cli
