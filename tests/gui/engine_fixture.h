#pragma once
// The real viewer window over the real list engine, on a temporary folder of synthetic
// return files: a settings file and an archive folder in the same temporary folder, message
// boxes and choosers answered by a recording fake, a recording shell, a fixed clock and one
// fake screen. Error dialogs are real (and modal): DialogWatch answers them.

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/platform/clock.h"
#include "core/platform/recording_dialogs.h"
#include "core/store/config.h"
#include "core/viewer/viewer.h"
#include "core/viewer/viewer_fixture.h"
#include "gui/engine_program.h"
#include "gui/error_dialog.h"
#include "gui/list_view.h"
#include "gui/viewer_controls.h"
#include "gui/viewer_window.h"
#include "gui/window_placement.h"
#include "support/temp_dir.h"

namespace noemie::testing {

class OneScreen final : public gui::Screens {
 public:
  QVector<QRect> geometries() const override { return {QRect(0, 0, 1920, 1080)}; }
  QRect primary_available() const override { return {0, 0, 1920, 1040}; }
};

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
};

// Answers every error dialog that opens: notes the path it names, runs `on_open` (when set)
// and presses "OK".
class DialogWatch final : public QObject {
 public:
  std::vector<QString> paths;
  std::vector<QWidget*> owners;
  std::function<void(gui::ErrorDialog&)> on_open;

  DialogWatch() { qApp->installEventFilter(this); }
  ~DialogWatch() override { qApp->removeEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* dialog = qobject_cast<gui::ErrorDialog*>(watched);
    if (dialog && event->type() == QEvent::Show) {
      QTimer::singleShot(0, dialog, [this, dialog] {
        paths.push_back(dialog->findChild<QWidget*>(gui::control_name(2511))->toolTip());
        owners.push_back(dialog->parentWidget());
        if (on_open) on_open(*dialog);
        dialog->findChild<QPushButton*>(gui::control_name(2504))->click();
      });
    }
    return QObject::eventFilter(watched, event);
  }
};

// The leading file numbers of the "Fichier" cells, as a set.
inline std::set<int> listed_files(const viewer::ListControl& list) {
  std::set<int> files;
  for (int r = 0; r < list.row_count(); ++r) {
    files.insert(std::stoi(std::string(list.cell(r, viewer::kColFichier))));
  }
  return files;
}

struct EngineFixture {
  TempDir dir;
  TestDialogs dialogs;
  platform::RecordingShell shell;
  platform::FixedClock clock{kNow};
  OneScreen screens;
  std::ostringstream warnings;
  std::unique_ptr<gui::EngineProgram> program;
  fs::path settings_path = dir.path() / "settings.reg";

  // `with_settings`: a settings file that puts the flag file in the archive folder.
  explicit EngineFixture(bool with_settings = true) {
    fs::create_directories(returns());
    fs::create_directories(dir.path() / "arch");
    dir.write("caisses.qvc", kRegimeTable);
    dir.write("caisses.dat", kFundDirectory);
    if (with_settings) write_settings([this](store::Config& c) { c.path_arch = arch(); });
  }
  ~EngineFixture() { program.reset(); }

  fs::path returns() const { return dir.path() / "returns"; }
  fs::path settings_file() const { return settings_path; }
  std::string arch() const { return (dir.path() / "arch").string() + "/"; }

  // Changes the settings file as a previous run would have left it.
  void write_settings(const std::function<void(store::Config&)>& change) const;
  // The settings as the settings file holds them now.
  store::Config saved_settings() const;

  fs::path put(std::string_view name, std::string_view bytes, std::int64_t file_time = kNow) {
    const fs::path path = dir.write(fs::path("returns") / std::string(name), bytes);
    set_file_time(path, file_time);
    return path;
  }

  // A new program over the temporary folder (the previous one, if any, is closed first).
  gui::EngineProgram& make();
  // A started program: settings loaded, the returns folder chosen, the window open and shown.
  gui::ViewerWindow& start();
  // The end of the run as start-up does it: the window closed, then the settings saved.
  void finish();

  gui::ViewerWindow& window() const { return *program->window(); }
  gui::ListView& view() const { return *window().list_view(); }
  viewer::ListControl& list() const { return program->engine()->list(); }
  template <typename T>
  T* control(int id) const {
    return window().findChild<T*>(gui::control_name(id));
  }
  // Clicks control `id` as a user would.
  void click(int id) const;
  // The centre of a cell in the list's viewport.
  QPoint cell_centre(int row, int column) const;
  std::string cell(int row, int column) const { return std::string(list().cell(row, column)); }
};

}  // namespace noemie::testing
