// The transfers window of the Qt viewer, in the real window over the real engine: opened by
// "Virements…", the same lines as the `virements` command, sorted by a click on a title,
// ticked and saved, red where a gap is, narrowing the list on a double-click, following the
// list; and a tick kept after a restart and through a second viewer on the folder.

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include "engine_fixture.h"
#include "gui/practice_tools.h"
#include "gui/text_bridge.h"
#include "gui/transfers_table.h"
#include "gui/transfers_window.h"

using namespace noemie;
using namespace noemie::testing;

namespace {

struct TransfersFixture : EngineFixture {
  TransfersFixture() {
    for (const NamedReturn& r : transfer_returns()) put(r.name, r.bytes);
  }
};

gui::PracticeTools& tools(gui::ViewerWindow& window) {
  return *window.findChild<gui::PracticeTools*>();
}

// Opens the transfers window of `window` with its button.
gui::TransfersWindow& open_transfers(gui::ViewerWindow& window) {
  QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("transfers")), Qt::LeftButton);
  return *tools(window).transfers_window();
}

QString cell(gui::TransfersWindow& w, int row, int column) {
  return w.table_view()->model()->index(row, column).data().toString();
}

QPoint cell_centre(gui::TransfersWindow& w, int row, int column) {
  return w.table_view()->visualRect(w.table_view()->model()->index(row, column)).center();
}

// Clicks the check box of `row`, as the mouse does.
void click_check_box(gui::TransfersWindow& w, int row) {
  QTreeView* view = w.table_view();
  const QRect cell = view->visualRect(view->model()->index(row, 0));
  // The box sits at the cell's left, after the style's margin.
  const QPoint box(cell.left() + view->style()->pixelMetric(QStyle::PM_IndicatorWidth) / 2 + 3,
                   cell.center().y());
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, box);
}

}  // namespace

class TransfersWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void TheTableIsTheCommandsSortsTicksNarrowsAndFollowsTheList() {
    TransfersFixture f;
    gui::ViewerWindow& window = f.start();
    QCOMPARE(window.findChild<QPushButton*>(QStringLiteral("transfers"))->text(),
             QStringLiteral("Virements\u2026"));
    gui::TransfersWindow& w = open_transfers(window);
    QVERIFY(w.isVisible());
    QCOMPARE(w.windowTitle(), QStringLiteral("Virements"));
    QCOMPARE(w.parentWidget(), &window);

    // Every line and cell as the command writes them, after the check column.
    const auto command = f.virements_excel();
    QAbstractItemModel* model = w.table_view()->model();
    QCOMPARE(model->rowCount(), int(command.size()) - 1);
    for (int c = 1; c < model->columnCount(); ++c) {
      QCOMPARE(model->headerData(c, Qt::Horizontal).toString(), gui::to_qstring(command[0][c - 1]));
      for (int r = 0; r < model->rowCount(); ++r) {
        QCOMPARE(gui::to_cp1252(cell(w, r, c)), command[r + 1][c - 1]);
      }
    }
    // Red where the announced total and the Total differ: VIR A only.
    for (int r = 0; r < model->rowCount(); ++r) {
      const bool red = cell(w, r, 2).startsWith(QStringLiteral("VIR A"));
      QCOMPARE(model->index(r, 4).data(Qt::ForegroundRole).value<QColor>() == gui::kGapColour, red);
    }
    QVERIFY(w.status_line()->text().startsWith(QStringLiteral("3 virements - total 46.00 \u20AC")));

    // A click on "Total" sorts by it; ticking saves at once.
    QHeaderView* header = w.table_view()->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(8) + 5, header->height() / 2));
    QCOMPARE(cell(w, 0, 2), QStringLiteral("VIR B"));
    QCOMPARE(cell(w, 2, 2), QStringLiteral("VIR A CPAM R1"));
    click_check_box(w, 0);
    QCOMPARE(model->index(0, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QCOMPARE(f.tick_file(), std::string("NOEMIE-POINTAGE 1\r\n12\t2\t20/03/2024\tVIR B\r\n"));
    QVERIFY(w.status_line()->text().endsWith(
        QStringLiteral("point\u00E9s 7.00 \u20AC - \u00E0 pointer 39.00 \u20AC")));
    w.table_view()->setCurrentIndex(model->index(1, 3));
    QTest::keyClick(w.table_view(), Qt::Key_Space);
    QCOMPARE(model->index(1, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QTest::keyClick(w.table_view(), Qt::Key_Space);
    QCOMPARE(model->index(1, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));

    // A double-click (the first click's press, then the double click) narrows the list to the
    // transfer's rows; Escape in the find line gives every row back.
    QTest::mouseClick(w.table_view()->viewport(), Qt::LeftButton, {}, cell_centre(w, 2, 2));
    QTest::mouseDClick(w.table_view()->viewport(), Qt::LeftButton, {}, cell_centre(w, 2, 2));
    QCOMPARE(f.list().row_count(), 2);
    QLineEdit* find = tools(window).find_field();
    QCOMPARE(gui::to_cp1252(find->text()), f.program->engine()->transfer_narrowing_text());
    QCOMPARE(model->rowCount(), 3);  // the table keeps every transfer of the find
    QTest::keyClick(find, Qt::Key_Escape);
    QCOMPARE(f.list().row_count(), 5);

    // The table follows the list: a find keeps the rows of file 11 only.
    find->setText(QStringLiteral("11  ("));
    QTRY_COMPARE(model->rowCount(), 1);
    QCOMPARE(cell(w, 0, 2), QStringLiteral("VIR F"));
    QTest::keyClick(&w, Qt::Key_Escape);
    QVERIFY(!w.isVisible());
  }

  void ATickIsKeptAfterARestartAndThroughASecondViewer() {
    TransfersFixture f;
    gui::TransfersWindow& first = open_transfers(f.start());
    gui::QtFront other_front(f.screens);
    const std::unique_ptr<app::EngineProgram> other = f.start_another(other_front);
    other_front.window()->show();
    gui::TransfersWindow& second = open_transfers(*other_front.window());
    click_check_box(first, 0);   // VIR F
    click_check_box(second, 2);  // VIR B, in a viewer that loaded the ticks before
    other->close_viewer();
    f.finish();

    gui::TransfersWindow& again = open_transfers(f.start());
    QAbstractItemModel* model = again.table_view()->model();
    for (int r = 0; r < 3; ++r) {
      QCOMPARE(model->index(r, 0).data(Qt::CheckStateRole).toInt(),
               int(r == 1 ? Qt::Unchecked : Qt::Checked));
    }
  }
};

QTEST_MAIN(TransfersWindowTest)
#include "transfers_window_test.moc"
