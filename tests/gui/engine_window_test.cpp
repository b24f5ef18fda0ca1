// The viewer window driven as a user drives it, over the real list engine: the filters
// refill the list, the column widths follow the kind filter, double-clicks, tooltips,
// marking, sorting and the export menu do what the engine says, and a faulty return file
// raises the error dialog, modal to the window, in front of the rows listed so far. Tooltips
// show on an inactive window; the keyboard starts in the list.

#include <QAbstractButton>
#include <QAction>
#include <QCursor>
#include <QHeaderView>
#include <QHelpEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include "engine_fixture.h"
#include "gui/text_bridge.h"
#include "gui/tool_strip.h"
#include "support/list_titles.h"

using namespace noemie;
using namespace noemie::testing;
using gui::control_name;

namespace {

// 42 payment (2 days old, two lines), 43 rejection (10 days), 44 other (40 days),
// 45 acknowledgement (now), 46 payment kept under .DAT (3 hours).
void put_returns(EngineFixture& f) {
  f.put("00000042.RSP", return_file("531", "NU", {1650, 2000}, 3650), kNow - 2 * kDay);
  f.put("00000043.RSP", return_file("900"), kNow - 10 * kDay);
  f.put("00000044.RSP", return_file("534"), kNow - 40 * kDay);
  f.put("00000045.ARL", return_file("930"), kNow);
  f.put("00000046.DAT", return_file("531"), kNow - kDay / 8);
}

// The rows of the file numbered `file`.
std::vector<int> rows_of(const viewer::ListControl& list, int file) {
  std::vector<int> rows;
  for (int r = 0; r < list.row_count(); ++r) {
    if (std::stoi(std::string(list.cell(r, viewer::kColFichier))) == file) rows.push_back(r);
  }
  return rows;
}

std::vector<int> state_icons(const viewer::ListControl& list, int file) {
  std::vector<int> icons;
  for (int r : rows_of(list, file)) icons.push_back(list.icon(r, viewer::kColTraite));
  return icons;
}

QString cp(std::string_view cp1252) {
  return gui::to_qstring(cp1252);
}

}  // namespace

class EngineWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void TheWindowShowsTheEnginesCaptionAndColumns() {
    EngineFixture f;
    put_returns(f);
    f.start();
    QCOMPARE(f.window().windowTitle(), QStringLiteral("Affichage NOEMIE (ARL/ARX/RSP) v1.1.3"));
    QAbstractItemModel* model = f.view().model();
    QCOMPARE(model->columnCount(), viewer::kColumnCount);
    for (int c = 0; c < viewer::kColumnCount; ++c) {
      QCOMPARE(model->headerData(c, Qt::Horizontal).toString(),
               cp(testing::kListTitles[static_cast<std::size_t>(c)]));
    }
    QVERIFY(f.control<QAbstractButton>(gui::kIdKindAll)->isChecked());
    QVERIFY(f.control<QAbstractButton>(gui::kIdAgeAlways)->isChecked());
    QVERIFY(!f.control<QAbstractButton>(gui::kIdAlwaysOnTop)->isChecked());
  }

  void FiltersAndKindMaskRefillTheList() {
    EngineFixture f;
    put_returns(f);
    f.start();
    QCOMPARE(listed_files(f.list()), (std::set<int>{42, 43, 44, 45, 46}));
    const struct {
      int control;
      std::set<int> files;
    } steps[] = {
        {gui::kIdKindPayments, {42, 46}},     {gui::kIdKindRejections, {43}},
        {gui::kIdKindOthers, {44}},           {gui::kIdKindAll, {42, 43, 44, 45, 46}},
        {gui::kIdAgeMonth, {42, 43, 45, 46}}, {gui::kIdAgeWeek, {42, 45, 46}},
        {gui::kIdAgeToday, {45, 46}},         {gui::kIdAgeAlways, {42, 43, 44, 45, 46}},
        {gui::kIdMaskRsp, {45, 46}},          {gui::kIdMaskArl, {46}},
        {gui::kIdMaskRsp, {42, 43, 44, 46}},
    };
    for (const auto& step : steps) {
      f.click(step.control);
      QCOMPARE(listed_files(f.list()), step.files);
      QCOMPARE(f.view().model()->rowCount(), f.list().row_count());
    }
    QCOMPARE(f.program->settings().config.noemie_rsp_aff, std::int8_t(1));
    QVERIFY(f.dialogs.rec.boxes.empty());
  }

  void ColumnWidthsFollowTheKindFilter() {
    EngineFixture f;
    put_returns(f);
    f.start();
    QHeaderView* header = f.view().header();
    const int malade = header->sectionSize(viewer::kColMalade);
    // Widened under "Toutes": "Rejets" brings its own widths, "Toutes" the widened one back.
    header->resizeSection(viewer::kColMalade, malade + 77);
    const int malade_core = f.list().column_width(viewer::kColMalade);
    QVERIFY(malade_core > 140);
    f.click(gui::kIdKindRejections);
    for (int c = viewer::kColDateActe; c <= viewer::kColAmc; ++c)
      QCOMPARE(header->sectionSize(c), 0);
    QCOMPARE(header->sectionSize(viewer::kColMalade), malade);
    f.click(gui::kIdKindAll);
    QCOMPARE(header->sectionSize(viewer::kColMalade), malade + 77);
    QVERIFY(header->sectionSize(viewer::kColTotal) > 0);

    // Widened again, then an age filter: back to the width stored with the last switch.
    header->resizeSection(viewer::kColMalade, malade + 150);
    f.click(gui::kIdAgeWeek);
    QCOMPARE(header->sectionSize(viewer::kColMalade), malade + 77);

    // Widened under "Paiements", kept over a trip to "Toutes".
    f.click(gui::kIdKindPayments);
    header->resizeSection(viewer::kColDateComptable, 123);
    const int date_core = f.list().column_width(viewer::kColDateComptable);
    f.click(gui::kIdKindAll);
    f.click(gui::kIdKindPayments);
    QCOMPARE(header->sectionSize(viewer::kColDateComptable), 123);

    f.finish();
    const store::Config saved = f.saved_settings();
    QCOMPARE(saved.info_result[3 * 20 + viewer::kColMalade], malade_core);
    QCOMPARE(saved.info_result[4 * 20 + viewer::kColDateComptable], date_core);
    QCOMPARE(saved.info_result[5 * 20 + viewer::kColTotal], 0);
  }

  void DoubleClickOnTheStateIconStepsEveryRowOfTheFile() {
    EngineFixture f;
    put_returns(f);
    f.start();
    QCOMPARE(state_icons(f.list(), 42), (std::vector<int>{6, 6}));
    QSignalSpy repaints(f.view().model(), &QAbstractItemModel::dataChanged);
    for (int icon : {7, 8, 9, 6}) {
      const int row = rows_of(f.list(), 42).back();
      QTest::mouseDClick(f.view().viewport(), Qt::LeftButton, {},
                         f.cell_centre(row, viewer::kColTraite));
      QCOMPARE(state_icons(f.list(), 42), (std::vector<int>{icon, icon}));
      QCOMPARE(state_icons(f.list(), 43), std::vector<int>{6});
    }
    QCOMPARE(repaints.count(), 8);
    // An acknowledgement's icon is not a processed state to step.
    QTest::mouseDClick(f.view().viewport(), Qt::LeftButton, {},
                       f.cell_centre(rows_of(f.list(), 45).front(), viewer::kColTraite));
    QCOMPARE(state_icons(f.list(), 45), std::vector<int>{9});
    QVERIFY(f.dialogs.rec.boxes.empty());
  }

  void DoubleClickOnACellShowsItsExplanation() {
    EngineFixture f;
    put_returns(f);
    f.start();
    const struct {
      int file;
      int column;
      const char* caption;
      platform::MessageIcon icon;
      const char* text_start;
    } cases[] = {
        {42, viewer::kColRef,
         "Info r\xE9"
         "f\xE9rence",
         platform::MessageIcon::None,
         "R\xE9"
         "f\xE9rence 531"},
        {45, viewer::kColRef,
         "Info r\xE9"
         "f\xE9rence",
         platform::MessageIcon::None,
         "R\xE9"
         "f\xE9rence 930"},
        {42, viewer::kColCaisse, "Informations sur la caisse", platform::MessageIcon::Information,
         "CPAM PAIEMENT"},
        {42, viewer::kColAmo, "Conversion F/\x80", platform::MessageIcon::Information, ""},
    };
    for (const auto& c : cases) {
      f.dialogs.rec.boxes.clear();
      QTest::mouseDClick(f.view().viewport(), Qt::LeftButton, {},
                         f.cell_centre(rows_of(f.list(), c.file).front(), c.column));
      QCOMPARE(f.dialogs.rec.boxes.size(), std::size_t(1));
      QCOMPARE(f.dialogs.rec.boxes[0].caption, std::string(c.caption));
      QCOMPARE(f.dialogs.rec.boxes[0].icon, c.icon);
      QVERIFY2(f.dialogs.rec.boxes[0].text.starts_with(c.text_start),
               f.dialogs.rec.boxes[0].text.c_str());
    }
  }

  void TooltipsFollowThePointerFromCellToCell() {
    EngineFixture f;
    put_returns(f);
    f.start();
    const int row = rows_of(f.list(), 42).front();
    const auto hover = [&](int column) {
      const QPoint at = f.cell_centre(row, column);
      QHelpEvent help(QEvent::ToolTip, at, f.view().viewport()->mapToGlobal(at));
      QApplication::sendEvent(f.view().viewport(), &help);
    };
    hover(viewer::kColRef);
    QVERIFY(QToolTip::isVisible());
    QVERIFY(
        QToolTip::text().startsWith(cp("R\xE9"
                                       "f\xE9rence 531")));
    hover(viewer::kColAmo);
    QVERIFY(QToolTip::text().contains(QStringLiteral("\u20AC")));
    // A "Date Comptable" without bank-transfer reference has no tip.
    hover(viewer::kColDateComptable);
    QVERIFY(!QToolTip::isVisible());
  }

  void TooltipsShowWhileAnotherWindowIsActive() {
    EngineFixture f;
    put_returns(f);
    f.start();
    f.window().move(0, 0);
    QWidget other;  // the practice's own program, beside the viewer
    other.setGeometry(f.window().frameGeometry().right() + 20, 0, 60, 60);
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QVERIFY(!f.window().isActiveWindow());
    // The pointer rests on the cell, no button down (QTest leaves one down after a
    // double-click): Qt's own hover timer asks for the tip.
    QTest::mouseRelease(&other, Qt::LeftButton);
    QCursor::setPos(f.view().viewport()->mapToGlobal(
        f.cell_centre(rows_of(f.list(), 42).front(), viewer::kColRef)));
    QTRY_VERIFY(QToolTip::isVisible());
    QVERIFY(
        QToolTip::text().startsWith(cp("R\xE9"
                                       "f\xE9rence 531")));
  }

  void KeysBelongToTheListFromTheStart() {
    EngineFixture f;
    put_returns(f);
    f.start();
    f.window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.window()));
    gui::ListView& view = f.view();
    QCOMPARE(QApplication::focusWidget(), &view);
    QCOMPARE(view.currentIndex().row(), 0);
    QVERIFY(!view.selectionModel()->hasSelection());
    // Space acts on the list, never on the first box of the strip.
    const int mask = f.window().tool_strip()->kind_mask();
    const int rows = f.list().row_count();
    QTest::keyClick(&view, Qt::Key_Space);
    QCOMPARE(f.window().tool_strip()->kind_mask(), mask);
    QCOMPARE(f.list().row_count(), rows);
    QTest::keyClick(&view, Qt::Key_Down);
    QCOMPARE(view.currentIndex().row(), 1);
    QVERIFY(f.list().selected(1) && !f.list().selected(0));
    // Tab order: the list, then the tool strip, and back.
    QTest::keyClick(&view, Qt::Key_Tab);
    QVERIFY(f.window().tool_strip()->isAncestorOf(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), &view);
  }

  void MarkingSetsTheStateOfTheSelectedRowsFiles() {
    EngineFixture f;
    put_returns(f);
    f.start();
    const auto select_row_of = [&](int file) {
      QTest::mouseClick(f.view().viewport(), Qt::LeftButton, {},
                        f.cell_centre(rows_of(f.list(), file).front(), viewer::kColFichier));
    };
    select_row_of(42);
    QVERIFY(f.list().selected(rows_of(f.list(), 42).front()));
    f.click(gui::kIdMarkDone);
    QCOMPARE(state_icons(f.list(), 42), (std::vector<int>{7, 7}));  // the unselected row too
    QCOMPARE(state_icons(f.list(), 46), std::vector<int>{6});
    select_row_of(45);  // an acknowledgement cannot be marked
    f.click(gui::kIdMarkDone);
    QCOMPARE(state_icons(f.list(), 45), std::vector<int>{9});
    select_row_of(42);
    f.click(gui::kIdMarkNotDone);
    QCOMPARE(state_icons(f.list(), 42), (std::vector<int>{6, 6}));
    QVERIFY(f.dialogs.rec.boxes.empty());
  }

  void HeaderClickSortsAscendingEveryTime() {
    EngineFixture f;
    put_returns(f);
    f.start();
    QHeaderView* header = f.view().header();
    const QPoint ref_title(
        header->sectionViewportPosition(viewer::kColRef) + header->sectionSize(viewer::kColRef) / 2,
        header->height() / 2);
    const std::vector<std::string> sorted = {"(531)", "(531)", "(531)", "x(534)", "(900)", "(930)"};
    for (int click = 0; click < 2; ++click) {
      QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, ref_title);
      std::vector<std::string> shown;
      for (int r = 0; r < f.view().model()->rowCount(); ++r) {
        shown.push_back(gui::to_cp1252(
            f.view().model()->index(r, viewer::kColRef).data(Qt::DisplayRole).toString()));
      }
      QCOMPARE(shown, sorted);
    }
  }

  void EachExportEntryWritesItsFile() {
    EngineFixture f;
    put_returns(f);
    f.start();
    const struct {
      int command;
      const char* file;
      std::string start;
    } cases[] = {
        {gui::kCmdExportText, "liste.txt",
         "Tr|Fichier|R\xE9"
         "f    |"},
        {gui::kCmdExportExcel, "liste.xls",
         "Trait\xE9\tFichier\tR\xE9"
         "f\t"},
        {gui::kCmdExportHtml, "liste.html",
         "<html><head><title>Affichage NOEMIE (ARL/ARX/RSP) v1.1.3</title>"},
    };
    for (const auto& c : cases) {
      f.dialogs.rec.save_answers.push_back(f.dir.path() / "liste");
      f.window().export_menu()->findChild<QAction*>(control_name(c.command))->trigger();
      const std::string bytes = read_file(f.dir.path() / c.file);
      QVERIFY2(bytes.starts_with(c.start), c.file);
      QVERIFY(bytes.find("42  (18") != std::string::npos);  // text mode cuts to 7 characters
    }
    QCOMPARE(f.dialogs.rec.save_requests.size(), std::size_t(3));
    QCOMPARE(f.program->settings().config.path_result, f.dir.path().string());
    QVERIFY(f.dialogs.rec.boxes.empty());
  }

  void AFaultyFileRaisesTheErrorDialogModalToTheWindow() {
    EngineFixture f;
    f.put("00000042.RSP", return_file("531"));
    const fs::path faulty = f.put("00000050.RSP", std::string(300, 'X'));
    DialogWatch watch;
    bool modal = false;
    watch.on_open = [&](gui::ErrorDialog& dialog) {
      modal = QApplication::activeModalWidget() == &dialog;
      dialog.findChild<QPushButton*>(control_name(2505))->click();  // "Envoyer"
    };
    f.start();
    QCOMPARE(watch.paths, std::vector<QString>{gui::path_to_qstring(faulty)});
    QCOMPARE(watch.owners, std::vector<QWidget*>{&f.window()});
    QVERIFY(modal);
    QCOMPARE(f.shell.opened.size(), std::size_t(1));
    QVERIFY(f.shell.opened[0].starts_with("mailto:"));
    QVERIFY(f.shell.opened[0].find("Body=Fic%20%3A%20") != std::string::npos);
    QVERIFY(f.shell.opened[0].find("00000050.RSP") != std::string::npos);
    QCOMPARE(listed_files(f.list()), std::set<int>{42});
    // Every fill reads the folder again, and says so again.
    f.click(gui::kIdKindPayments);
    QCOMPARE(watch.paths.size(), std::size_t(2));
  }

  void RowsListedSoFarStayInSightBehindTheErrorDialog() {
    EngineFixture f;
    f.put("00000042.RSP", return_file("531"));
    f.put("00000043.RSP", return_file("900"));
    f.put("00000050.RSP", std::string(300, 'X'));
    f.put("00000051.RSP", return_file("534"));
    DialogWatch watch;
    std::vector<std::set<int>> behind;
    watch.on_open = [&](gui::ErrorDialog&) {
      const QAbstractItemModel& model = *f.view().model();
      QCOMPARE(model.rowCount(), f.list().row_count());
      std::set<int> shown;
      for (int r = 0; r < model.rowCount(); ++r) {
        shown.insert(
            std::stoi(gui::to_cp1252(model.index(r, viewer::kColFichier).data().toString())));
      }
      behind.push_back(shown);
      // No tooltip on the list while the dialog keeps the user away from it.
      const QPoint at = f.cell_centre(0, viewer::kColRef);
      QHelpEvent help(QEvent::ToolTip, at, f.view().viewport()->mapToGlobal(at));
      QApplication::sendEvent(f.view().viewport(), &help);
      QVERIFY(!QToolTip::isVisible());
    };
    f.start();                  // the first fill
    f.click(gui::kIdAgeMonth);  // a refill
    QCOMPARE(behind.size(), std::size_t(2));
    for (const std::set<int>& shown : behind) {
      QVERIFY(shown.contains(42) && shown.contains(43));
    }
    QCOMPARE(listed_files(f.list()), (std::set<int>{42, 43, 51}));
    QCOMPARE(f.view().model()->rowCount(), f.list().row_count());
  }

  void EscapeAndEnterDoNotCloseTheViewer() {
    EngineFixture f;
    put_returns(f);
    f.start();
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
      QTest::keyClick(&f.window(), key);
      QTest::keyClick(f.view().viewport(), key);
    }
    QVERIFY(f.window().isVisible());
    QVERIFY(!f.window().has_closed());
  }

  void AbregeIsSavedAtOnce() {
    EngineFixture f;
    put_returns(f);
    f.start();
    f.click(gui::kIdAbrege);
    QCOMPARE(f.saved_settings().noemie_abrege, std::int8_t(1));
    QCOMPARE(listed_files(f.list()), (std::set<int>{42, 43, 44, 45, 46}));
  }
};

QTEST_MAIN(EngineWindowTest)
#include "engine_window_test.moc"
