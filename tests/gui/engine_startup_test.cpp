// The desktop program's start-up and close over the real engine and settings file: what a
// cancelled choice leaves (nothing), what a chosen folder or a folder argument becomes, what
// the close saves and a new start brings back, and what the user is told when the settings
// file cannot be read or written.

#include <QHeaderView>
#include <QTest>

#include <map>

#include "engine_fixture.h"
#include "gui/startup.h"

using namespace noemie;
using namespace noemie::testing;

namespace {

// Every file under `folder` with its bytes.
std::map<fs::path, std::string> snapshot(const fs::path& folder) {
  std::map<fs::path, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    files[entry.path()] = entry.is_regular_file() ? read_file(entry.path()) : "<folder>";
  }
  return files;
}

// Runs start-up as the program does; the window, once shown, notes its rows and is closed.
int run_to_the_end(EngineFixture& f, const std::optional<fs::path>& folder_argument,
                   int* rows_shown = nullptr) {
  f.make().set_window_shown_hook([rows_shown, &f](gui::ViewerWindow& window) {
    if (rows_shown) *rows_shown = f.list().row_count();
    window.close();
  });
  return gui::run_startup(*f.program, f.dialogs, folder_argument);
}

}  // namespace

class EngineStartupTest : public QObject {
  Q_OBJECT

 private slots:
  void ACancelledChoiceEndsWithOneAndWritesNothing() {
    for (const bool first_run : {true, false}) {
      EngineFixture f(!first_run);
      if (!first_run) f.write_settings([](store::Config& c) { c.path = "/srv/retours/mai"; });
      f.put("00000042.RSP", return_file("531"));
      const auto before = snapshot(f.dir.path());
      QCOMPARE(run_to_the_end(f, std::nullopt), 1);
      QCOMPARE(snapshot(f.dir.path()), before);
      QCOMPARE(f.dialogs.folder_titles, std::vector<std::string>{"R\xE9pertoire \xE0 visualiser"});
      QCOMPARE(f.dialogs.rec.folder_starts,
               std::vector<fs::path>{first_run ? "" : "/srv/retours/mai"});
      QCOMPARE(f.program->window(), nullptr);
    }
  }

  void AChosenFolderOrAFolderArgumentIsViewedAndStoredInPath() {
    for (const bool argument : {false, true}) {
      EngineFixture f;
      f.put("00000042.RSP", return_file("531"));
      if (!argument) f.dialogs.rec.folder_answers.push_back(f.returns());
      int rows = 0;
      QCOMPARE(run_to_the_end(f, argument ? std::optional(f.returns()) : std::nullopt, &rows), 0);
      QCOMPARE(rows, 1);
      QCOMPARE(f.dialogs.folder_titles.size(), std::size_t(argument ? 0 : 1));
      QCOMPARE(f.saved_settings().path, f.returns().string());
      QVERIFY(f.dialogs.rec.boxes.empty());
    }
  }

  void MarksWidthsAndRectangleSurviveARestart() {
    EngineFixture f;
    f.put("00000042.RSP", return_file("531"));
    f.put("00000043.RSP", return_file("900"));
    f.start();
    // "traités" for file 43; file 42 stepped once by a double-click.
    QTest::mouseClick(f.view().viewport(), Qt::LeftButton, {}, f.cell_centre(1, 1));
    f.click(gui::kIdMarkDone);
    QTest::mouseDClick(f.view().viewport(), Qt::LeftButton, {}, f.cell_centre(0, 0));
    QCOMPARE(f.list().icon(0, 0), 7);
    QCOMPARE(f.list().icon(1, 0), 7);
    f.view().header()->resizeSection(viewer::kColDetail, 333);
    const int detail_core = f.list().column_width(viewer::kColDetail);
    f.window().setGeometry(60, 70, 1000, 520);
    QTRY_COMPARE(f.window().geometry(), QRect(60, 70, 1000, 520));
    const gui::WindowRect closing = f.window().closing_rect();
    f.finish();

    const std::string flags = read_file(f.dir.path() / "arch" / "RSPstate.dat");
    QCOMPARE(flags.substr(42, 2), std::string("\x01\x01", 2));
    const store::Config saved = f.saved_settings();
    QCOMPARE(saved.info_result[3 * 20 + viewer::kColDetail], detail_core);
    QCOMPARE((gui::WindowRect{saved.noemie_pos_x, saved.noemie_pos_y, saved.noemie_taille_x,
                              saved.noemie_taille_y}),
             closing);

    f.start();
    QCOMPARE(f.list().icon(0, 0), 7);
    QCOMPARE(f.list().icon(1, 0), 7);
    QCOMPARE(f.view().header()->sectionSize(viewer::kColDetail), 333);
    QCOMPARE(gui::to_window_rect(f.window().frameGeometry()), closing);
    QVERIFY(f.dialogs.rec.boxes.empty());
  }

  void AnUnreadableSettingsFileIsSaidAndTheStartGoesOn() {
    const struct {
      bool folder;  // the settings path is a folder: it cannot be read at all
      const char* said;
    } cases[] = {{false, "settings.reg.bad"}, {true, "laiss\xE9 tel quel"}};
    for (const auto& c : cases) {
      EngineFixture f(false);
      const std::string garbage = "not a settings file\r\n[\x01\x02";
      if (c.folder) {
        fs::create_directory(f.settings_path);
      } else {
        f.dir.write("settings.reg", garbage);
      }
      QCOMPARE(run_to_the_end(f, std::nullopt), 1);  // asked all the same, then cancelled
      QCOMPARE(f.dialogs.rec.folder_starts.size(), std::size_t(1));
      QCOMPARE(f.dialogs.rec.boxes.size(), std::size_t(1));
      QVERIFY2(f.dialogs.rec.boxes[0].text.find(c.said) != std::string::npos,
               f.dialogs.rec.boxes[0].text.c_str());
      QVERIFY(!f.warnings.str().empty());
      if (!c.folder) {
        QCOMPARE(read_file(f.dir.path() / "settings.reg.bad"), garbage);
        QCOMPARE(read_file(f.settings_path), garbage);
      }
    }
  }

  void ASettingsSaveThatFailsAtTheEndIsSaid() {
    EngineFixture f;
    f.put("00000042.RSP", return_file("531"));
    f.start();
    // Something now stands where the settings file was: it can no longer be replaced.
    fs::remove(f.settings_path);
    fs::create_directories(f.settings_path / "inside");
    f.finish();
    QCOMPARE(f.dialogs.rec.boxes.size(), std::size_t(1));
    QVERIFY(f.dialogs.rec.boxes[0].text.find("n'ont pas pu \xEAtre enregistr\xE9s") !=
            std::string::npos);
    QVERIFY(f.dialogs.rec.boxes[0].text.find(f.settings_path.string()) != std::string::npos);
    // The marks went to their own file all the same.
    QVERIFY(fs::exists(f.dir.path() / "arch" / "RSPstate.dat"));
  }
};

QTEST_MAIN(EngineStartupTest)
#include "engine_startup_test.moc"
