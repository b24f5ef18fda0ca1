#pragma once
// The desktop program over the real list engine on a temporary folder of synthetic return
// files: a settings file (or, when `system_registry` is set, that registry) and an archive
// folder in the same temporary folder, message boxes and choosers answered by a recording
// fake, a recording shell and a fixed clock. The front end is the caller's: a recording one
// here, the real window in the front ends' own tests.

#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/engine_program.h"
#include "core/platform/clock.h"
#include "core/platform/recording_dialogs.h"
#include "core/store/config.h"
#include "core/viewer/viewer.h"
#include "core/viewer/viewer_fixture.h"
#include "support/temp_dir.h"

namespace noemie::testing {

// RecordingDialogs that also keep the folder chooser's titles.
class TestDialogs final : public platform::Dialogs {
 public:
  platform::RecordingDialogs rec;
  std::vector<std::string> folder_titles;

  void message_box(std::string_view text, std::string_view caption,
                   platform::MessageIcon icon) override {
    rec.message_box(text, caption, icon);
  }
  std::optional<fs::path> choose_folder(std::string_view title, const fs::path& start) override {
    folder_titles.emplace_back(title);
    return rec.choose_folder(title, start);
  }
  std::optional<fs::path> choose_save_file(std::string_view title,
                                           const std::vector<platform::FileFilter>& filters,
                                           const fs::path& folder) override {
    return rec.choose_save_file(title, filters, folder);
  }
  std::optional<fs::path> choose_open_file(std::string_view title,
                                           const std::vector<platform::FileFilter>& filters,
                                           const fs::path& folder) override {
    return rec.choose_open_file(title, filters, folder);
  }
};

// The leading file numbers of the "Fichier" cells, as a set.
std::set<int> listed_files(const viewer::ListControl& list);

struct ProgramFixture {
  TempDir dir;
  TestDialogs dialogs;
  platform::RecordingShell shell;
  platform::FixedClock clock{kNow};
  std::ostringstream warnings;
  // When set, the program keeps its settings there instead of in the settings file.
  store::Registry* system_registry = nullptr;
  std::unique_ptr<app::EngineProgram> program;
  fs::path settings_path = dir.path() / "settings.reg";

  // `with_settings`: a settings file that puts the flag file in the archive folder.
  explicit ProgramFixture(bool with_settings = true);
  virtual ~ProgramFixture();

  fs::path returns() const { return dir.path() / "returns"; }
  std::string arch() const { return (dir.path() / "arch").string() + "/"; }

  // Changes the settings file as a previous run would have left it.
  void write_settings(const std::function<void(store::Config&)>& change) const;
  // The settings as the settings file holds them now.
  store::Config saved_settings() const;

  fs::path put(std::string_view name, std::string_view bytes, std::int64_t file_time = kNow);

  // A new program over the temporary folder and `front` (the previous one, if any, is closed
  // first).
  app::EngineProgram& make(app::ViewerFront& front);
  // One more program over the same folder and settings (a second viewer), started: settings
  // loaded, the returns folder chosen, its window open.
  std::unique_ptr<app::EngineProgram> start_another(app::ViewerFront& front);

  // What `noemie-viewer virements --format excel` writes for the returns folder, run from the
  // temporary folder (its regime table) with its settings file, split into lines of cells.
  std::vector<std::vector<std::string>> virements_excel() const;
  // The ticks file of the archive folder ("" while there is none).
  std::string tick_file() const { return read_file(dir.path() / "arch" / "RSPpointage.dat"); }

  // The end of the run as start-up does it: the window closed, then the settings saved.
  void finish();

  viewer::ListControl& list() const { return program->engine()->list(); }
  std::string cell(int row, int column) const { return std::string(list().cell(row, column)); }

 private:
  std::unique_ptr<app::EngineProgram> new_program(app::ViewerFront& front);
};

}  // namespace noemie::testing
