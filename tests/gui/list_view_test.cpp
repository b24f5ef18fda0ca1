// The list adapter and view: what the ListControl holds is what the view shows, and what
// the user does in the view goes back to the ListControl or to the seam.

#include <QFocusEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include "core/text/cp1252.h"
#include "core/viewer/list_control.h"
#include "demo_rows.h"
#include "gui/list_model.h"
#include "gui/list_view.h"
#include "recording_actions.h"

using namespace noemie;
using noemie::testing::RecordingActions;

namespace {

// A list, its model and view, shown at a known size.
struct Fixture {
  viewer::ListControl list;
  RecordingActions actions;
  gui::ImageStrip images;
  gui::ListModel model{list, actions, images};
  gui::ListView view{model};

  explicit Fixture(int rows = 8) {
    // What the viewer window does with the view's signals.
    QObject::connect(&view, &gui::ListView::header_clicked,
                     [this](int column) { actions.header_clicked(column); });
    QObject::connect(&view, &gui::ListView::cell_double_clicked,
                     [this](int row, int x) { actions.cell_double_clicked(row, x); });
    testing::add_list_columns(list);
    testing::add_demo_rows(list, rows);
    view.resize(900, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
  }

  QPoint cell_centre(int row, int col) const {
    return view.visualRect(model.index(row, col)).center();
  }
  std::vector<int> core_widths() const {
    std::vector<int> w;
    for (int c = 0; c < viewer::kColumnCount; ++c) w.push_back(list.column_width(c));
    return w;
  }
  std::vector<int> view_widths() const {
    std::vector<int> w;
    for (int c = 0; c < viewer::kColumnCount; ++c) w.push_back(view.header()->sectionSize(c));
    return w;
  }
};

std::string long_text(std::size_t n) {
  return std::string(n, 'x');
}

}  // namespace

class ListViewTest : public QObject {
  Q_OBJECT

 private slots:
  void ModelShowsCellTextsConvertedFromWindows1252() {
    viewer::ListControl list;
    RecordingActions actions;
    gui::ImageStrip images;
    gui::ListModel model(list, actions, images);
    testing::add_list_columns(list);
    auto data = std::make_unique<viewer::ListRow>();
    list.begin_reset();
    list.add_row(std::move(data),
                 testing::demo_cells({"12  (03/05/24)", "(531)", "", "", "L\xC9ON Chlo\xE9 ", "",
                                      "", "", "", "", std::string("25.00") + text::kEuro}),
                 7, 1);
    list.end_reset();

    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.columnCount(), viewer::kColumnCount);
    const struct {
      int col;
      QString text;
    } cases[] = {
        {1, QStringLiteral("12  (03/05/24)")},
        {2, QStringLiteral("(531)")},
        {5, QStringLiteral("L\u00C9ON Chlo\u00E9 ")},
        {11, QStringLiteral("25.00\u20AC")},
        {3, QString()},  // an empty cell shows nothing
        {0, QString()},  // the state column has an icon only
    };
    for (const auto& c : cases) {
      QCOMPARE(model.data(model.index(0, c.col), Qt::DisplayRole).toString(), c.text);
    }
    QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("Trait\u00E9"));
    QCOMPARE(model.headerData(16, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("D\u00E9tail"));
  }

  void ModelShowsIconsOfColumnsZeroAndTwoOnly() {
    Fixture f;
    // Demo row 2: state icon 6 and the warning marker 2; row 5: icon 12 and marker 0.
    for (int col = 0; col < viewer::kColumnCount; ++col) {
      const QVariant icon = f.model.data(f.model.index(2, col), Qt::DecorationRole);
      QCOMPARE(icon.isValid(), col == 0 || col == 2);
    }
    f.list.set_icon(3, viewer::kColTraite, viewer::kNoIcon);
    QVERIFY(!f.model.data(f.model.index(3, 0), Qt::DecorationRole).isValid());
    f.list.set_icon(3, viewer::kColTraite, 15);  // a blank picture of the strip
    QVERIFY(!f.model.data(f.model.index(3, 0), Qt::DecorationRole).isValid());
  }

  void RowChangeFromTheCoreRepaintsTheRow() {
    Fixture f;
    QSignalSpy changed(&f.model, &QAbstractItemModel::dataChanged);
    f.list.set_icon(4, viewer::kColTraite, 7);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex().row(), 4);
  }

  void AlignmentFollowsTheColumn() {
    Fixture f;
    for (int col = 0; col < viewer::kColumnCount; ++col) {
      const auto align =
          f.model.data(f.model.index(0, col), Qt::TextAlignmentRole).value<Qt::Alignment>();
      const bool left = (col >= 1 && col <= 6) || col == 16;
      QCOMPARE(bool(align & Qt::AlignLeft), left);
      QCOMPARE(bool(align & Qt::AlignRight), !left);
    }
  }

  void WidthZeroHidesAColumnAndReadsBack() {
    Fixture f;
    // From the core side.
    f.list.set_column_width(viewer::kColDateActe, 0);
    QCOMPARE(f.view.header()->sectionSize(viewer::kColDateActe), 0);
    QCOMPARE(f.list.column_width(viewer::kColDateActe), 0);
    // From the user's side.
    f.view.header()->resizeSection(viewer::kColActe, 0);
    QCOMPARE(f.list.column_width(viewer::kColActe), 0);
    // Reapplying what the core holds keeps both hidden and gives a dragged width back.
    f.view.header()->resizeSection(viewer::kColTotal, 97);
    const int stored = f.list.column_width(viewer::kColTotal);
    f.view.apply_core_widths();
    QCOMPARE(f.view.header()->sectionSize(viewer::kColDateActe), 0);
    QCOMPARE(f.view.header()->sectionSize(viewer::kColActe), 0);
    QCOMPARE(f.view.header()->sectionSize(viewer::kColTotal), 97);
    QCOMPARE(f.list.column_width(viewer::kColTotal), stored);
    QVERIFY(!f.view.header()->stretchLastSection());
  }

  void RowsKeepTheirHeightWhenTheIconColumnsScrollOutOfSight() {
    Fixture f;
    const int height = f.view.visualRect(f.model.index(0, 16)).height();
    QVERIFY(height >= 16);
    f.view.horizontalScrollBar()->setValue(f.view.horizontalScrollBar()->maximum());
    f.list.begin_reset();  // a refill measures the rows again
    f.list.end_reset();
    QCOMPARE(f.view.visualRect(f.model.index(0, 16)).height(), height);
  }

  void WidthsSurviveAReset() {
    Fixture f;
    f.view.header()->resizeSection(viewer::kColMalade, 123);
    const std::vector<int> before = f.view_widths();
    testing::add_demo_rows(f.list, 20);
    QCOMPARE(f.view_widths(), before);
  }

  void HeaderClickReachesTheSeamAndNeverSortsTheView() {
    Fixture f;
    const QString first = f.model.data(f.model.index(0, 1)).toString();
    const int x = f.view.header()->sectionViewportPosition(viewer::kColFichier) + 5;
    for (int i = 0; i < 2; ++i) {
      QTest::mouseClick(f.view.header()->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
    }
    QCOMPARE(f.actions.calls, (std::vector<std::string>{"header 1", "header 1"}));
    QCOMPARE(f.model.data(f.model.index(0, 1)).toString(), first);
    QVERIFY(!f.view.isSortingEnabled());
    QVERIFY(!f.view.header()->isSortIndicatorShown());
  }

  void SelectionIsWrittenBackAndFollowsRowsThroughAReorder() {
    Fixture f(6);
    QTest::mouseClick(f.view.viewport(), Qt::LeftButton, {}, f.cell_centre(1, 5));
    QTest::mouseClick(f.view.viewport(), Qt::LeftButton, Qt::ShiftModifier, f.cell_centre(3, 5));
    QTest::mouseClick(f.view.viewport(), Qt::LeftButton, Qt::ControlModifier, f.cell_centre(2, 5));
    const std::vector<bool> expected = {false, true, false, true, false, false};
    for (int row = 0; row < 6; ++row) QCOMPARE(f.list.selected(row), expected[row]);

    // The core reverses the rows: the selection goes with them.
    f.list.begin_reset();
    f.list.reorder({5, 4, 3, 2, 1, 0});
    f.list.end_reset();
    const std::vector<bool> moved = {false, false, true, false, true, false};
    for (int row = 0; row < 6; ++row) {
      QCOMPARE(f.view.selectionModel()->isRowSelected(row, QModelIndex()), bool(moved[row]));
      QCOMPARE(f.list.selected(row), bool(moved[row]));
    }
  }

  void KeysMoveByWholeRowsAndScrollSideways() {
    Fixture f;
    QScrollBar* bar = f.view.horizontalScrollBar();
    QVERIFY(bar->maximum() > 0);
    // Taking the focus with no current row makes the first row current.
    QFocusEvent focus_in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(&f.view, &focus_in);
    QCOMPARE(f.view.currentIndex().row(), 0);
    const int step = bar->singleStep();
    const struct {
      Qt::Key key;
      int row;
      int scroll;
    } cases[] = {
        {Qt::Key_End, 7, 0},     {Qt::Key_Home, 0, 0},     {Qt::Key_Down, 1, 0},
        {Qt::Key_Up, 0, 0},      {Qt::Key_Right, 0, step}, {Qt::Key_Right, 0, 2 * step},
        {Qt::Key_Left, 0, step},
    };
    for (const auto& c : cases) {
      QTest::keyClick(&f.view, c.key);
      QCOMPARE(f.view.currentIndex().row(), c.row);
      QCOMPARE(f.view.currentIndex().column(), 0);
      QCOMPARE(bar->value(), c.scroll);
    }
    // Ctrl+A selects every row, in the core too.
    QTest::keyClick(&f.view, Qt::Key_A, Qt::ControlModifier);
    for (int row = 0; row < 8; ++row) QVERIFY(f.list.selected(row));
  }

  void TooltipTextComesFromTheSeamForThePointedCell() {
    Fixture f;
    f.view.attach_tooltips();
    f.actions.tooltip = [](int row, int) { return "Ligne\r\n" + std::to_string(row); };
    const QPoint at = f.cell_centre(2, viewer::kColRef);
    QHelpEvent help(QEvent::ToolTip, at, f.view.viewport()->mapToGlobal(at));
    QApplication::sendEvent(f.view.viewport(), &help);
    QVERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("Ligne\n2"));
    // The seam was given a point inside the "Réf" column, in the core's unit.
    QCOMPARE(f.actions.calls.size(), std::size_t(1));
    const int x = std::stoi(f.actions.calls[0].substr(10));
    const int left = f.list.column_width(0) + f.list.column_width(1);
    QVERIFY(x > left && x <= left + f.list.column_width(viewer::kColRef));
    QCOMPARE(f.view.tooltip_cell(), f.view.visualRect(f.model.index(2, viewer::kColRef)));

    // Leaving the cell hides the tip at once; the next cell's tip follows by itself once
    // the pointer rests.
    f.actions.tooltip = [](int row, int x) {
      return "Ligne " + std::to_string(row) + " x " + std::to_string(x);
    };
    QTest::mouseMove(f.view.viewport(), f.cell_centre(2, viewer::kColCaisse));
    QVERIFY(!QToolTip::isVisible());
    QVERIFY(f.view.tooltip_cell().isNull());
    QTRY_VERIFY(QToolTip::isVisible());
    QVERIFY(QToolTip::text().startsWith(QStringLiteral("Ligne 2 x ")));
    QCOMPARE(f.view.tooltip_cell(), f.view.visualRect(f.model.index(2, viewer::kColCaisse)));
  }

  void TooltipEmptyOrDetachedShowsNothingAndLongTextIsCut() {
    Fixture f;
    const QPoint at = f.cell_centre(1, viewer::kColDetail);
    const QPoint global = f.view.viewport()->mapToGlobal(at);
    // Detached: the seam is not even asked.
    QHelpEvent help(QEvent::ToolTip, at, global);
    QApplication::sendEvent(f.view.viewport(), &help);
    QVERIFY(f.actions.calls.empty());
    QVERIFY(!QToolTip::isVisible());

    f.view.attach_tooltips();
    f.actions.tooltip = [](int, int) { return std::string(); };
    QApplication::sendEvent(f.view.viewport(), &help);
    QVERIFY(!QToolTip::isVisible());

    f.actions.tooltip = [](int, int) { return long_text(900); };
    const QString text =
        f.model.data(f.model.index(1, viewer::kColDetail), Qt::ToolTipRole).toString();
    QCOMPARE(text.size(), qsizetype(gui::kTooltipMaxChars));
  }

  void DoubleClickGivesTheRowAndTheOffsetInTheRow() {
    Fixture f;
    const QPoint at = f.cell_centre(3, viewer::kColCaisse);
    QTest::mouseDClick(f.view.viewport(), Qt::LeftButton, {}, at);
    QVERIFY(!f.actions.calls.empty());
    QCOMPARE(f.actions.calls.back(), "double 3 " + std::to_string(f.view.x_in_row(at.x())));
    // The offset lands in the "Caisse" column when the core adds up its widths.
    const int x = f.view.x_in_row(at.x());
    int sum = 0, col = 0;
    while (sum < x) sum += f.list.column_width(col++);
    QCOMPARE(col - 1, int(viewer::kColCaisse));

    // Scrolled sideways, the same cell gives the same offset.
    f.view.horizontalScrollBar()->setValue(40);
    const QPoint scrolled = f.cell_centre(3, viewer::kColCaisse);
    QCOMPARE(f.view.x_in_row(scrolled.x()), x);

    // Below the last row: nothing.
    f.actions.calls.clear();
    QTest::mouseDClick(f.view.viewport(), Qt::LeftButton, {}, QPoint(at.x(), 390));
    QVERIFY(f.actions.calls.empty());
  }
};

QTEST_MAIN(ListViewTest)
#include "list_view_test.moc"
