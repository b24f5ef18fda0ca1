// Two viewers open on one folder with one settings file (two workstations on a shared drive,
// or the same user who opened the viewer twice): each keeps what the other marked and set,
// when the marks are made and whichever closes first.

#include <gtest/gtest.h>

#include <sstream>

#include "core/store/reg_file_registry.h"
#include "viewer_fixture.h"

namespace noemie::viewer {
namespace {

namespace fs = std::filesystem;
using testing::kNow;
using testing::read_file;
using testing::return_file;
using testing::ViewerFixture;

// One viewer over the fixture's folder, settings file and archive folder.
struct ViewerSession {
  std::ostringstream warnings;
  store::RegFileRegistry registry;
  platform::RecordingDialogs dialogs;
  store::Settings settings{registry, dialogs, "/opt/noemie/bin/noemie-viewer"};
  store::FlagStore flags{registry, dialogs};
  store::ResultTitles titles;
  testing::RecordingReporter reporter;
  platform::FixedClock clock{kNow};
  Viewer viewer;

  explicit ViewerSession(const ViewerFixture& f)
      : registry(f.dir.path() / "settings.reg", warnings),
        viewer(settings, flags, titles, reporter, dialogs, clock, f.options()) {
    settings.lit_config();
    titles.init_txt_idx();
    viewer.open();
  }

  // Marks the rows of file `number` as "traités".
  void mark(int number) {
    ListControl& list = viewer.list();
    for (int r = 0; r < list.row_count(); ++r) {
      list.set_selected(r, std::stoi(std::string(list.cell(r, kColFichier))) == number);
    }
    viewer.marque_traitee(1);
  }
};

TEST(TwoViewers, BothKeepTheirMarksAndSettingsInEitherOrder) {
  for (const bool a_first : {true, false}) {
    ViewerFixture f;
    f.put("00000001.RSP", return_file("531"));
    f.put("00000002.RSP", return_file("531"));
    // The archive folder is set; every other setting reads as its default.
    f.dir.write("settings.reg",
                "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\software\\quillon]\r\n\"path_arch\"=\"" +
                    (f.dir.path() / "arch").string() + "/\"\r\n\r\n");
    ViewerSession a(f);
    ViewerSession b(f);
    a.mark(1);
    a.viewer.list().note_column_width(kColDetail, 444);  // stored at close
    b.mark(2);
    const fs::path flag_file = f.dir.path() / "arch" / "RSPstate.dat";
    // Each mark is saved when made, over the other viewer's.
    EXPECT_EQ(read_file(flag_file), std::string("\0\1\1", 3)) << "before the closes";
    b.viewer.choose_abrege(true);  // saved at once
    (a_first ? a : b).viewer.close({10, 10, 600, 400});
    (a_first ? b : a).viewer.close({20, 20, 700, 400});

    const std::string what = a_first ? "a closed first" : "b closed first";
    EXPECT_EQ(read_file(flag_file), std::string("\0\1\1", 3)) << what;
    ViewerSession next(f);
    const store::Config& saved = next.settings.config;
    EXPECT_EQ(saved.info_result[3 * 20 + kColDetail], 444) << what;
    EXPECT_EQ(saved.noemie_abrege, 1) << what;
    EXPECT_EQ(saved.noemie_pos_x, 20) << what << ": the later close wins";
    EXPECT_EQ(next.viewer.list().icon(0, kColTraite), 7) << what;
    EXPECT_EQ(next.viewer.list().icon(next.viewer.list().row_count() - 1, kColTraite), 7) << what;
    EXPECT_TRUE(a.dialogs.boxes.empty() && b.dialogs.boxes.empty()) << what;
    EXPECT_EQ(a.warnings.str() + b.warnings.str(), "") << what;
  }
}

}  // namespace
}  // namespace noemie::viewer
