#include "cli/headless_run.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "core/store/reg_file_registry.h"
#include "core/store/tree_registry.h"

namespace noemie::cli {

namespace fs = std::filesystem;

void print_error(const std::string& line) {
  const std::string text = "noemie-viewer: " + line + "\n";
  std::fwrite(text.data(), 1, text.size(), stderr);
}

std::string program_file() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.string();
}

std::unique_ptr<store::Registry> open_settings_store() {
  if (const auto path = store::settings_file_path()) {
    return std::make_unique<store::RegFileRegistry>(*path, std::cerr,
                                                    store::RegFileRegistry::Mode::ReadOnly);
  }
  return std::make_unique<store::MemoryRegistry>();
}

}  // namespace noemie::cli
