#include "program_fixture.h"

#include <cstdlib>
#include <iostream>

#include "cli/virements_command.h"
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

namespace {

// Sets an environment variable of this process, as the program's own reading of it sees it;
// "" removes it.
void set_environment(const char* name, const std::string& value) {
#ifdef _WIN32
  _putenv_s(name, value.c_str());
#else
  if (value.empty()) {
    unsetenv(name);
  } else {
    setenv(name, value.c_str(), 1);
  }
#endif
}

}  // namespace

std::unique_ptr<app::EngineProgram> ProgramFixture::new_program(app::ViewerFront& front) {
  app::EngineSetup setup;
  setup.settings_file = settings_path;
  setup.system_registry = system_registry;
  setup.program_file = dir.path() / "noemie-viewer";
  setup.regime_table = dir.path() / "caisses.qvc";
  return std::make_unique<app::EngineProgram>(
      setup, app::EngineServices{dialogs, shell, clock, front, warnings});
}

app::EngineProgram& ProgramFixture::make(app::ViewerFront& front) {
  program.reset();
  program = new_program(front);
  return *program;
}

std::unique_ptr<app::EngineProgram> ProgramFixture::start_another(app::ViewerFront& front) {
  std::unique_ptr<app::EngineProgram> another = new_program(front);
  another->load_settings();
  another->set_folder(returns());
  another->open_viewer();
  return another;
}

std::vector<std::vector<std::string>> ProgramFixture::virements_excel() const {
  const fs::path here = fs::current_path();
  const char* had = std::getenv("NOEMIE_VIEWER_SETTINGS");
  const std::string kept = had ? had : "";
  fs::current_path(dir.path());
  set_environment("NOEMIE_VIEWER_SETTINGS", settings_path.string());
  const fs::path output = dir.path() / "virements.xls";
  std::string args[] = {"virements", "--format",      "excel",
                        "--output",  output.string(), returns().string()};
  char* argv[] = {args[0].data(), args[1].data(), args[2].data(),
                  args[3].data(), args[4].data(), args[5].data()};
  cli::run_virements_command(6, argv);
  set_environment("NOEMIE_VIEWER_SETTINGS", kept);
  fs::current_path(here);
  std::vector<std::vector<std::string>> lines;
  const std::string bytes = read_file(output);
  std::size_t start = 0;
  for (std::size_t end = bytes.find("\r\n"); end != std::string::npos;
       start = end + 2, end = bytes.find("\r\n", start)) {
    std::vector<std::string>& cells = lines.emplace_back();
    for (std::size_t cell = start, tab = bytes.find('\t', cell); tab < end;
         cell = tab + 1, tab = bytes.find('\t', cell)) {
      cells.push_back(bytes.substr(cell, tab - cell));
    }
  }
  return lines;
}

void ProgramFixture::finish() {
  program->close_viewer();
  program->save_settings();
}

}  // namespace noemie::testing
