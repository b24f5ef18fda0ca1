// The viewer as the window drives it: opening, closing, and the export menu.

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "core/viewer/column_hit.h"
#include "viewer_fixture.h"

namespace noemie::viewer {
namespace {

namespace fs = std::filesystem;
using platform::MessageIcon;
using testing::kNow;
using testing::read_file;
using testing::return_file;
using testing::ViewerFixture;

store::Config reread(ViewerFixture& f) {
  store::Settings settings(f.registry, f.dialogs, "x");
  settings.lit_config();
  return settings.config;
}

TEST(ViewerSession, OpenResetsFiltersAndLoadsFlags) {
  ViewerFixture f;
  f.put("00042.RSP", return_file("531"));
  f.dir.write("arch/RSPstate.dat", std::string(42, '\0') + '\x03');
  Viewer& v = f.make();
  v.choose_kind_filter(2);
  v.choose_age_filter(3);
  v.open();
  EXPECT_EQ(v.type_liste(), 0);
  EXPECT_EQ(v.type_date(), 0);
  ASSERT_EQ(v.list().row_count(), 1);
  EXPECT_EQ(v.list().icon(0, kColTraite), 9);
  EXPECT_EQ(v.nb_lig(), 1);
  EXPECT_EQ(v.list().column_count(), kColumnCount);
}

TEST(ViewerSession, CloseSavesFlagsWidthsAndRectangleThenReleasesRows) {
  ViewerFixture f;
  f.put("00042.RSP", return_file("531"));
  Viewer& v = f.open();
  v.list_click(0, 5);  // state 0 -> 1
  v.list().note_column_width(16, 444);
  v.close({10, 20, 640, 480});
  EXPECT_EQ(read_file(f.dir.path() / "arch" / "RSPstate.dat").substr(42), "\x01");
  const store::Config saved = reread(f);
  EXPECT_EQ(saved.info_result[3 * 20 + 16], 444);
  EXPECT_EQ(saved.noemie_pos_x, 10);
  EXPECT_EQ(saved.noemie_pos_y, 20);
  EXPECT_EQ(saved.noemie_taille_x, 640);
  EXPECT_EQ(saved.noemie_taille_y, 480);
  EXPECT_EQ(v.list().row_count(), 0);
  EXPECT_TRUE(f.dialogs.boxes.empty());
}

TEST(ViewerSession, FlagsThatCannotBeSavedAreSaidAndSettingsStillSaved) {
  ViewerFixture f;
  f.put("00042.RSP", return_file("531"));
  f.settings.config.path_arch = (f.dir.path() / "no-such-folder").string() + "/";
  Viewer& v = f.open();
  v.list_click(0, 5);  // a change, whose save fails at once
  v.close({1, 2, 3, 4});
  // Said when the mark was made, and again by the close, after which it is lost.
  ASSERT_EQ(f.dialogs.boxes.size(), 2u);
  for (const auto& box : f.dialogs.boxes) {
    EXPECT_EQ(box.text,
              store::flag_save_failure_message(f.dir.path() / "no-such-folder/RSPstate.dat"));
    EXPECT_EQ(box.caption, store::kFlagSaveFailedCaption);
  }
  EXPECT_EQ(reread(f).noemie_taille_y, 4);
}

// Each way of making a mark: the flag file holds it as soon as the command returns, before
// any close.
TEST(ViewerSession, MarksAreInTheFlagFileAsSoonAsMade) {
  struct Case {
    const char* what;
    std::function<void(Viewer&)> act;
    char state_of_42;
  };
  const Case cases[] = {
      {"traites", [](Viewer& v) { v.marque_traitee(1); }, '\x01'},
      {"non-traites", [](Viewer& v) { v.marque_traitee(0); }, '\x00'},
      {"double-click on the state", [](Viewer& v) { v.list_click(0, 5); }, '\x03'},
  };
  for (const Case& c : cases) {
    ViewerFixture f;
    f.put("00042.RSP", return_file("531"));
    f.dir.write("arch/RSPstate.dat", std::string(42, '\0') + '\x02');
    Viewer& v = f.open();
    v.list().set_selected(0, true);
    c.act(v);
    EXPECT_EQ(read_file(f.dir.path() / "arch" / "RSPstate.dat"),
              std::string(42, '\0') + c.state_of_42)
        << c.what;
    EXPECT_TRUE(f.dialogs.boxes.empty()) << c.what;
  }
}

// A share that is down: the first failed save is said, the next ones are not, until a save
// succeeds; that save writes every mark kept meanwhile, and a later failure is said again.
TEST(ViewerSession, FailedMarkSavesAreSaidOnceUntilOneSucceeds) {
  ViewerFixture f;
  f.put("00042.RSP", return_file("531"));
  f.put("00043.RSP", return_file("531"));
  const fs::path arch = f.dir.path() / "arch";
  const fs::path flag_file = arch / "RSPstate.dat";
  // The share goes down and comes back: the archive folder goes away and back, whole.
  const fs::path away = f.dir.path() / "away";
  const auto share_down = [&] { fs::rename(arch, away); };
  const auto share_back = [&] { fs::rename(away, arch); };
  Viewer& v = f.open();
  v.list_click(0, 5);  // saved: 42 in state 1, and the file exists
  share_down();
  const auto click_state = [&v](int row) { v.list_click(row, 5); };
  struct Step {
    const char* what;
    std::function<void()> act;
    std::size_t boxes;
    std::optional<std::string> file;  // the flag file after the step, when it is there
  };
  const Step steps[] = {
      {"first failure", [&] { click_state(0); }, 1, std::nullopt},
      {"second failure",
       [&] {
         click_state(1);
         click_state(1);
       },
       1, std::nullopt},
      // 42 stepped to 3, 43 to 2: the kept changes go with the save that succeeds.
      {"share back",
       [&] {
         share_back();
         click_state(0);
       },
       1, std::string(42, '\0') + "\x03\x02"},
      {"down again",
       [&] {
         share_down();
         click_state(1);
       },
       2, std::nullopt},
  };
  for (const Step& step : steps) {
    step.act();
    EXPECT_EQ(f.dialogs.boxes.size(), step.boxes) << step.what;
    if (step.file) {
      EXPECT_EQ(read_file(flag_file), *step.file) << step.what;
    }
  }
  share_back();
  v.close({1, 2, 3, 4});
  EXPECT_EQ(read_file(flag_file), std::string(42, '\0') + "\x03\x03");
  EXPECT_EQ(f.dialogs.boxes.size(), 2u);
}

TEST(ViewerSession, ReadOnlyViewerCreatesAndSavesNothing) {
  ViewerFixture f;
  fs::remove(f.dir.path() / "caisses.qvc");
  fs::remove(f.dir.path() / "caisses.dat");
  f.put("00042.RSP", return_file("531"));
  auto o = f.options();
  o.may_write = false;
  Viewer& v = f.make(o);
  v.open();
  v.choose_abrege(true);
  v.choose_kind_filter(1);
  v.list_click(0, 5);
  // "Caisse": no directory, and none is created.
  EXPECT_EQ(v.listage_tooltip(0, column_left(v.list(), kColCaisse) + 1), "");
  v.close({1, 2, 3, 4});
  EXPECT_FALSE(fs::exists(f.dir.path() / "caisses.qvc"));
  EXPECT_FALSE(fs::exists(f.dir.path() / "caisses.dat"));
  EXPECT_FALSE(fs::exists(f.dir.path() / "arch" / "RSPstate.dat"));
  EXPECT_EQ(reread(f).noemie_abrege, 0);
  EXPECT_EQ(reread(f).noemie_taille_y, 400);
}

TEST(ViewerExport, CancelWritesNothing) {
  ViewerFixture f;
  f.settings.config.path_result = f.dir.path().string();
  Viewer& v = f.open();
  v.sav(ExportMode::Excel);
  ASSERT_EQ(f.dialogs.save_requests.size(), 1u);
  EXPECT_EQ(f.dialogs.save_requests[0].title, "Choisissez un fichier");
  ASSERT_EQ(f.dialogs.save_requests[0].filters.size(), 2u);
  EXPECT_EQ(f.dialogs.save_requests[0].filters[0].description, "Fichiers Excel");
  EXPECT_EQ(f.dialogs.save_requests[0].filters[0].pattern, "*.XLS");
  EXPECT_EQ(f.dialogs.save_requests[0].folder, f.dir.path());
  EXPECT_EQ(f.settings.config.path_result, f.dir.path().string());
  EXPECT_TRUE(f.dialogs.boxes.empty());
}

TEST(ViewerExport, ChosenNameGetsItsExtensionAndFolderIsRemembered) {
  struct Case {
    const char* chosen;
    ExportMode mode;
    const char* written;
  } cases[] = {
      {"liste", ExportMode::Text, "liste.txt"},
      {"Liste.TXT", ExportMode::Text, "Liste.TXT"},
      {"liste.csv", ExportMode::Text, "liste.csv.txt"},
      {"a.html.bak", ExportMode::Html, "a.html.bak"},
      {"r", ExportMode::Excel, "r.xls"},
  };
  for (const auto& c : cases) {
    ViewerFixture f;
    f.put("00042.RSP", return_file("531"));
    fs::create_directory(f.dir.path() / "out");
    f.settings.config.path_result = "/a/much/longer/previous/folder/name";
    Viewer& v = f.open();
    f.dialogs.save_answers.push_back(f.dir.path() / "out" / c.chosen);
    v.sav(c.mode);
    EXPECT_EQ(read_file(f.dir.path() / "out" / c.written), v.export_bytes(c.mode)) << c.chosen;
    EXPECT_EQ(f.settings.config.path_result, (f.dir.path() / "out").string());
    EXPECT_EQ(reread(f).path_result, (f.dir.path() / "out").string());
    EXPECT_TRUE(f.dialogs.boxes.empty());
  }
}

TEST(ViewerExport, FailuresAreSaidAndLeaveExistingFilesAlone) {
  ViewerFixture f;
  f.put("00042.RSP", return_file("531"));
  fs::create_directories(f.dir.path() / "taken.txt");
  f.dir.write("taken.txt/inside", "keep");
  Viewer& v = f.open();
  struct Case {
    fs::path chosen;
    fs::path target;
    const char* reason;
  } cases[] = {
      {f.dir.path() / "missing" / "x", f.dir.path() / "missing" / "x.txt",
       "le dossier n'existe pas"},
      {f.dir.path() / "taken.txt", f.dir.path() / "taken.txt",
       "un dossier porte d\xE9j\xE0 ce nom"},
  };
  for (const auto& c : cases) {
    f.dialogs.boxes.clear();
    f.dialogs.save_answers.push_back(c.chosen);
    v.sav(ExportMode::Text);
    ASSERT_EQ(f.dialogs.boxes.size(), 1u);
    EXPECT_EQ(f.dialogs.boxes[0].text,
              "Impossible d'\xE9"
              "crire le fichier " +
                  c.target.string() + " : " + c.reason +
                  ".\r\nAucun fichier existant n'a \xE9t\xE9 modifi\xE9.");
    EXPECT_EQ(f.dialogs.boxes[0].caption, kViewerWarningCaption);
    EXPECT_EQ(f.dialogs.boxes[0].icon, MessageIcon::Warning);
  }
  EXPECT_EQ(read_file(f.dir.path() / "taken.txt" / "inside"), "keep");
  EXPECT_EQ(fs::directory_iterator(f.dir.path() / "taken.txt")->path().filename(), "inside");
}

TEST(ViewerExport, WriteExportUsesTheNameAsGiven) {
  ViewerFixture f;
  f.put("00042.RSP", return_file("531"));
  Viewer& v = f.open();
  const fs::path target = f.dir.path() / "result";
  EXPECT_EQ(v.write_export(target, ExportMode::Html), "");
  const std::string html = read_file(target);
  EXPECT_EQ(html, v.export_bytes(ExportMode::Html));
  EXPECT_TRUE(
      html.starts_with("<html><head><title>Affichage NOEMIE (ARL/ARX/RSP) v1.1.3</title><meta "));
  EXPECT_TRUE(html.ends_with("</tr></table>"));
  EXPECT_FALSE(fs::exists(f.dir.path() / "result.html"));
  const std::string error = v.write_export(f.dir.path() / "none" / "r", ExportMode::Text);
  EXPECT_EQ(error,
            "Impossible d'\xE9"
            "crire le fichier " +
                (f.dir.path() / "none" / "r").string() + " : le dossier n'existe pas.");
}

}  // namespace
}  // namespace noemie::viewer
