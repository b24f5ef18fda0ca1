#pragma once
// The desktop viewer itself: the settings file, the column titles, the processed flags, the
// list engine and the viewer window, wired together. Start-up (DesktopProgram) runs through
// it in its order, and every action of the window (ViewerActions) goes to the engine
// operation that does it:
//   window opening -> Viewer::open          window closing -> Viewer::close(rect)
//   "Référence" radios -> choose_kind_filter "Depuis" radios -> choose_age_filter
//   kind-mask boxes -> choose_kind_mask      "Abrégé" -> choose_abrege
//   export menu -> sav                       "traités" / "non-traités" -> marque_traitee
//   header click -> sort_colonne             double-click -> list_click
//   tooltip -> listage_tooltip
// Faults met in return files open the error dialog, modal to the viewer window; its
// "Envoyer" opens the report e-mail through the Shell.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>

#include "core/decode/table_places.h"
#include "core/platform/clock.h"
#include "core/platform/dialogs.h"
#include "core/platform/shell.h"
#include "core/store/result_titles.h"
#include "gui/error_dialog.h"
#include "gui/startup.h"
#include "gui/viewer_actions.h"
#include "gui/viewer_window.h"

class QWidget;

namespace noemie::store {
class FlagStore;
class Settings;
}  // namespace noemie::store

namespace noemie::viewer {
class Viewer;
}

namespace noemie::gui {

class SettingsFile;
class Screens;

// Where the program finds its files.
struct EngineSetup {
  // The settings file; nullopt keeps the settings in memory for this run only.
  std::optional<std::filesystem::path> settings_file;
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
  const Screens& screens;
  // Settings-file problems, one line each (standard error).
  std::ostream& warnings;
  // Told the viewer window when it opens and nullptr once it is gone, so that message boxes
  // and choosers are modal to it; may be empty.
  std::function<void(QWidget*)> dialog_owner = {};
};

class EngineProgram final : public DesktopProgram, public ViewerActions {
 public:
  EngineProgram(EngineSetup setup, EngineServices services);
  ~EngineProgram() override;

  // --- start-up (DesktopProgram) ---
  // Opens the settings file, with saves held until a folder is chosen, loads the settings
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
  // Saves the settings (ecrit_config) and writes the settings file; a failure is said in a
  // message box.
  void save_settings() override;

  // --- the steps of run_viewer, for callers that drive the window themselves ---
  // Makes the engine and the window and runs the window's opening sequence (flags, columns,
  // first fill, placement); the window is not shown. Needs load_settings and set_folder.
  ViewerWindow& open_viewer();
  // Closes the window when it is still open (its close sequence saves flags, widths and
  // rectangle), then releases the window and the engine.
  void close_viewer();

  // Runs each time run_viewer has shown the window (from the window's event loop).
  void set_window_shown_hook(std::function<void(ViewerWindow&)> hook) {
    window_shown_ = std::move(hook);
  }

  ViewerWindow* window() const { return window_.get(); }
  viewer::Viewer* engine() const { return viewer_.get(); }
  // The settings record; needs load_settings.
  store::Settings& settings() const { return *settings_; }
  const std::filesystem::path& folder() const { return folder_; }
  // The name tables the engine reads ("" where there is none).
  decode::TableFiles table_files() const;

  // --- the window's actions (ViewerActions) ---
  void window_opening() override;
  void window_closing(const WindowRect& rect) override;
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
  void set_dialog_owner(QWidget* owner);

  EngineSetup setup_;
  EngineServices services_;
  std::unique_ptr<SettingsFile> settings_file_;
  std::unique_ptr<store::Settings> settings_;
  std::unique_ptr<store::FlagStore> flags_;
  store::ResultTitles titles_;
  GuiFaultReporter reporter_;
  std::filesystem::path folder_;
  std::unique_ptr<viewer::Viewer> viewer_;
  std::unique_ptr<ViewerWindow> window_;
  std::function<void(ViewerWindow&)> window_shown_;
};

}  // namespace noemie::gui
