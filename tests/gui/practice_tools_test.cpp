// The find field, the summary line, "Actualiser" and the refresh on folder changes, in the
// real window over the real engine.

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <fstream>

#include "engine_fixture.h"
#include "gui/practice_tools.h"
#include "gui/text_bridge.h"

using namespace noemie;
using namespace noemie::testing;

namespace {

// 42 payment of two lines for HÉLÈNE, 43 rejection, 44 other.
void put_returns(EngineFixture& f) {
  f.put("00000042.RSP", return_file("531", "NU", {1650, 2000}, 3650), kNow - 2 * kDay);
  f.put("00000043.RSP", return_file("900"), kNow - 10 * kDay);
  f.put("00000044.RSP", return_file("534"), kNow - 40 * kDay);
}

gui::PracticeTools& tools(EngineFixture& f) {
  return *f.window().findChild<gui::PracticeTools*>();
}

QString summary_of(EngineFixture& f) {
  return tools(f).status_line()->text();
}

}  // namespace

class PracticeToolsTest : public QObject {
  Q_OBJECT

 private slots:
  void FindNarrowsTheListAndTheSummaryFollows() {
    EngineFixture f;
    put_returns(f);
    f.start();
    QTRY_VERIFY(summary_of(f).startsWith(QStringLiteral("4 lignes, 3 fichiers : 2 paiements")));
    QTest::keyClick(&f.window(), Qt::Key_F, Qt::ControlModifier);
    QLineEdit* find = tools(f).find_field();
    QVERIFY(find->hasFocus());
    QTest::keyClicks(find, QStringLiteral("(900"));
    QCOMPARE(listed_files(f.list()), std::set<int>{43});
    QCOMPARE(f.view().model()->rowCount(), 1);
    QTRY_VERIFY(
        summary_of(f).startsWith(QStringLiteral("1 ligne, 1 fichier : 0 paiement, 1 rejet")));
    // A refill by a filter keeps the find.
    f.click(gui::kIdAgeMonth);
    QCOMPARE(listed_files(f.list()), std::set<int>{43});
    QTest::keyClick(find, Qt::Key_Escape);
    QCOMPARE(find->text(), QString());
    QCOMPARE(listed_files(f.list()), (std::set<int>{42, 43}));
    f.view().setFocus();
    QTest::keyClick(&f.view(), Qt::Key_A, Qt::ControlModifier);
    QVERIFY(f.list().selected(0) && f.list().selected(f.list().row_count() - 1));
  }

  void RefreshKeepsTheSortAndTheSelection() {
    EngineFixture f;
    put_returns(f);
    f.start();
    f.program->engine()->sort_colonne(viewer::kColRef);
    const std::string first = f.cell(0, viewer::kColRef);
    f.view().selectionModel()->select(
        f.view().model()->index(2, 0),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    const std::string chosen = f.cell(2, viewer::kColFichier);
    f.put("00000041.RSP", return_file("900"), kNow - 3 * kDay);
    QTest::keyClick(&f.window(), Qt::Key_F5);
    QCOMPARE(listed_files(f.list()), (std::set<int>{41, 42, 43, 44}));
    QCOMPARE(f.program->engine()->sort_column(), int(viewer::kColRef));
    QCOMPARE(f.cell(0, viewer::kColRef), first);
    const QModelIndexList rows = f.view().selectionModel()->selectedRows();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(f.cell(rows[0].row(), viewer::kColFichier), chosen);
  }

  void PrintPreviewAndPdfFileShowTheRowsFound() {
    EngineFixture f;
    put_returns(f);
    f.start();
    tools(f).find_field()->setText(QStringLiteral("(531)"));
    QString shown;
    QTimer::singleShot(200, [&shown] {
      if (QWidget* preview = QApplication::activeModalWidget()) {
        shown = preview->objectName();
        preview->close();
      }
    });
    QTest::keyClick(&f.window(), Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(shown, QStringLiteral("printPreview"));
    QVERIFY(f.window().export_menu()->findChild<QAction*>(QStringLiteral("exportPdf")));
  }

  void AFileDroppedInTheFolderAppearsWithoutAClick() {
    EngineFixture f;
    DialogWatch watch;
    put_returns(f);
    f.start();
    // Written in two halves, the second a moment after the first: never read half-written.
    const std::string bytes = return_file("531");
    const fs::path path = f.returns() / "00000050.RSP";
    {
      std::ofstream out(path, std::ios::binary);
      out.write(bytes.data(), static_cast<std::streamsize>(bytes.size() / 2));
    }
    QTest::qWait(gui::PracticeTools::kSettleMs / 3);
    {
      std::ofstream out(path, std::ios::binary | std::ios::app);
      out.write(bytes.data() + bytes.size() / 2,
                static_cast<std::streamsize>(bytes.size() - bytes.size() / 2));
    }
    QTRY_COMPARE(listed_files(f.list()), (std::set<int>{42, 43, 44, 50}));
    QVERIFY(watch.paths.empty());
    // A faulty file is reported once, not again by the refreshes that follow.
    f.put("00000051.RSP", std::string(200, '9'));
    QTRY_COMPARE(watch.paths.size(), std::size_t{1});
    f.put("00000052.RSP", return_file("900"));
    QTRY_COMPARE(listed_files(f.list()), (std::set<int>{42, 43, 44, 50, 52}));
    QCOMPARE(watch.paths.size(), std::size_t{1});
    fs::remove(f.returns() / "00000043.RSP");
    QTRY_COMPARE(listed_files(f.list()), (std::set<int>{42, 44, 50, 52}));
  }
};

QTEST_MAIN(PracticeToolsTest)
#include "practice_tools_test.moc"
