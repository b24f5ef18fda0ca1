#include "program_fixture.h"

#include <iostream>

#include "core/store/reg_file_registry.h"
#include "core/store/settings.h"

namespace noemie::testing {

std::set<int> listed_files(const viewer::ListControl& list) {
  std::set<int> files;
  for (int r = 0; r < list.row_count(); ++r) {
    files.insert(std::stoi(std::string(list.cell(r, viewer::kColFichier))));
  }
  return files;
}

ProgramFixture::ProgramFixture(bool with_settings) {
  fs::create_directories(returns());
  fs::create_directories(dir.path() / "arch");
  dir.write("caisses.qvc", kRegimeTable);
  dir.write("caisses.dat", kFundDirectory);
  if (with_settings) write_settings([this](store::Config& c) { c.path_arch = arch(); });
}

ProgramFixture::~ProgramFixture() {
  program.reset();
}

void ProgramFixture::write_settings(const std::function<void(store::Config&)>& change) const {
  store::RegFileRegistry registry(settings_path, std::cerr);
  platform::RecordingDialogs quiet;
  store::Settings settings(registry, quiet, (dir.path() / "noemie-viewer").string());
  settings.lit_config();
  change(settings.config);
  settings.ecrit_config();
  registry.flush();
}

store::Config ProgramFixture::saved_settings() const {
  store::RegFileRegistry registry(settings_path, std::cerr, store::RegFileRegistry::Mode::ReadOnly);
  platform::RecordingDialogs quiet;
  store::Settings settings(registry, quiet, (dir.path() / "noemie-viewer").string());
  settings.lit_config();
  return settings.config;
}

fs::path ProgramFixture::put(std::string_view name, std::string_view bytes,
                             std::int64_t file_time) {
  const fs::path path = dir.write(fs::path("returns") / std::string(name), bytes);
  set_file_time(path, file_time);
  return path;
}

app::EngineProgram& ProgramFixture::make(app::ViewerFront& front) {
  program.reset();
  app::EngineSetup setup;
  setup.settings_file = settings_path;
  setup.system_registry = system_registry;
  setup.program_file = dir.path() / "noemie-viewer";
  setup.regime_table = dir.path() / "caisses.qvc";
  program = std::make_unique<app::EngineProgram>(
      setup, app::EngineServices{dialogs, shell, clock, front, warnings});
  return *program;
}

void ProgramFixture::finish() {
  program->close_viewer();
  program->save_settings();
}

}  // namespace noemie::testing
