#pragma once
// The desktop viewer itself: the settings store, the column titles, the processed flags, the
// list engine and the front end's window, wired together. Start-up (DesktopProgram) runs
// through it in its order, and every action of the window (ViewerActions) goes to the engine
// operation that does it:
//   window opening -> Viewer::open          window closing -> Viewer::close(rect)
//   session ending -> the close's saves and the settings, the rows kept
//   "Référence" radios -> choose_kind_filter "Depuis" radios -> choose_age_filter
//   kind-mask boxes -> choose_kind_mask      "Abrégé" -> choose_abrege
//   export menu -> sav                       "traités" / "non-traités" -> marque_traitee
//   header click -> sort_colonne             double-click -> list_click
//   tooltip -> listage_tooltip
// Faults met in return files open the front end's error dialog; its "Envoyer" opens the
// report e-mail through the Shell. Nothing here knows which toolkit draws the window.

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>

#include "app/fault_dialog_reporter.h"
#include "app/startup.h"
#include "app/viewer_actions.h"
#include "app/viewer_front.h"
#include "core/decode/table_places.h"
#include "core/platform/clock.h"
#include "core/platform/dialogs.h"
#include "core/platform/shell.h"
#include "core/store/result_titles.h"

namespace noemie::store {
class FlagStore;
class Registry;
class Settings;
}  // namespace noemie::store

namespace noemie::viewer {
class Viewer;
}

namespace noemie::app {

class SettingsStore;

// Where the program finds its files.
struct EngineSetup {
  // The settings file; nullopt keeps the settings in memory for this run only.
  std::optional<std::filesystem::path> settings_file;
  // When set, the settings live in this registry (the system's) instead of a file; it must
  // outlive the program.
  store::Registry* system_registry = nullptr;
  // The running program's file: its folder is the `rep_VL` setting.
  std::filesystem::path program_file;
  // The name tables; an empty path means the one that find_table_files finds for
  // `program_file` (the regime table of the current folder, the fund directory next to the
  // program, else the ones installed with it).
  std::filesystem::path regime_table;
  std::filesystem::path fund_directory;
};

// The services the program works through; each must outlive the program.
struct EngineServices {
  platform::Dialogs& dialogs;
  platform::Shell& shell;
  const platform::Clock& clock;
  ViewerFront& front;
  // Settings-file problems, one line each (standard error).
  std::ostream& warnings;
};

class EngineProgram final : public DesktopProgram, public ViewerActions {
 public:
  EngineProgram(EngineSetup setup, EngineServices services);
  ~EngineProgram() override;

  // --- start-up (DesktopProgram) ---
  // Opens the settings store, with saves held until a folder is chosen, loads the settings
  // (lit_config) and splits the column titles (init_txt_idx). A settings file that could not
  // be read completely is said in a message box; the start goes on.
  void load_settings() override;
  // The `path` setting; empty before load_settings.
  std::filesystem::path folder_setting() const override;
  // Stores the folder in `path` and takes it as the folder to view; from now on the settings
  // are saved when the engine saves them.
  void set_folder(const std::filesystem::path& folder) override;
  // open_viewer(), the window shown until it closes, then close_viewer().
  void run_viewer() override;
  // Saves the settings (ecrit_config) and writes every pending change; a failure is said in
  // a message box.
  void save_settings() override;

  // --- the steps of run_viewer, for callers that drive the window themselves ---
  // Makes the engine and the front end's window and runs the window's opening sequence
  // (flags, columns, first fill, placement); the window is not shown. Needs load_settings and
  // set_folder.
  void open_viewer();
  // Closes the window when it is still open (its close sequence saves flags, widths and
  // rectangle), then releases the window and the engine.
  void close_viewer();

  viewer::Viewer* engine() const { return viewer_.get(); }
  // The settings record; needs load_settings.
  store::Settings& settings() const { return *settings_; }
  const std::filesystem::path& folder() const { return folder_; }
  // The name tables the engine reads ("" where there is none).
  decode::TableFiles table_files() const;

  // --- the window's actions (ViewerActions) ---
  void window_opening() override;
  void window_closing(const WindowRect& rect) override;
  void session_ending(const WindowRect& rect) override;
  void kind_filter_chosen(int type_liste) override;
  void age_filter_chosen(int type_date) override;
  void kind_mask_changed(int mask) override;
  void abrege_toggled(bool on) override;
  void export_chosen(int mode) override;
  void mark_chosen(int state) override;
  void header_clicked(int column) override;
  void cell_double_clicked(int row, int x_in_row) override;
  std::string tooltip_text(int row, int x_in_row) override;

 private:
  ViewerStartState start_state() const;
  void warn(const std::string& problem);

  EngineSetup setup_;
  EngineServices services_;
  std::unique_ptr<SettingsStore> settings_store_;
  std::unique_ptr<store::Settings> settings_;
  std::unique_ptr<store::FlagStore> flags_;
  store::ResultTitles titles_;
  FaultDialogReporter reporter_;
  std::filesystem::path folder_;
  std::unique_ptr<viewer::Viewer> viewer_;
};

}  // namespace noemie::app
