// The desktop program over the real engine, settings file and Qt window: what the close
// saves and a new start brings back.

#include <QHeaderView>
#include <QTest>

#include "engine_fixture.h"

using namespace noemie;
using namespace noemie::testing;

class EngineStartupTest : public QObject {
  Q_OBJECT

 private slots:
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
    const app::WindowRect closing = f.window().closing_rect();
    f.finish();

    const std::string flags = read_file(f.dir.path() / "arch" / "RSPstate.dat");
    QCOMPARE(flags.substr(42, 2), std::string("\x01\x01", 2));
    const store::Config saved = f.saved_settings();
    QCOMPARE(saved.info_result[3 * 20 + viewer::kColDetail], detail_core);
    QCOMPARE((app::WindowRect{saved.noemie_pos_x, saved.noemie_pos_y, saved.noemie_taille_x,
                              saved.noemie_taille_y}),
             closing);

    f.start();
    QCOMPARE(f.list().icon(0, 0), 7);
    QCOMPARE(f.list().icon(1, 0), 7);
    QCOMPARE(f.view().header()->sectionSize(viewer::kColDetail), 333);
    QCOMPARE(gui::to_window_rect(f.window().frameGeometry()), closing);
    QVERIFY(f.dialogs.rec.boxes.empty());
  }
};

QTEST_MAIN(EngineStartupTest)
#include "engine_startup_test.moc"
