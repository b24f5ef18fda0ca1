// The viewer window: its controls and texts, the commands it sends to the seam, its
// opening and closing sequences, and its geometry.

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <functional>

#include "core/viewer/list_control.h"
#include "demo_rows.h"
#include "gui/list_view.h"
#include "gui/tool_strip.h"
#include "gui/viewer_controls.h"
#include "gui/viewer_window.h"
#include "gui/window_placement.h"
#include "recording_actions.h"

using namespace noemie;
using noemie::gui::control_name;
using noemie::testing::RecordingActions;

namespace {

class FakeScreens final : public gui::Screens {
 public:
  QVector<QRect> screens{QRect(0, 0, 1920, 1080)};
  QRect available{0, 0, 1920, 1040};
  QVector<QRect> geometries() const override { return screens; }
  QRect primary_available() const override { return available; }
};

struct Fixture {
  viewer::ListControl list;
  RecordingActions actions;
  FakeScreens screens;
  std::unique_ptr<gui::ViewerWindow> window;

  // `during_opening` runs inside ViewerActions::window_opening, after the fill.
  explicit Fixture(app::ViewerStartState state = {},
                   std::function<void(Fixture&)> during_opening = {}) {
    actions.on_opening = [this, during_opening] {
      testing::add_list_columns(list);
      testing::add_demo_rows(list, 10);
      if (during_opening) during_opening(*this);
    };
    window = std::make_unique<gui::ViewerWindow>(list, actions, screens);
    window->initialise(state);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    actions.calls.clear();
  }

  template <typename T>
  T* control(int id) const {
    return window->findChild<T*>(control_name(id));
  }
};

QString cp(const char* cp1252) {
  // The few accented letters of the captions, Windows-1252 to Unicode.
  QString s;
  for (const char* p = cp1252; *p; ++p) s += QChar(static_cast<unsigned char>(*p));
  return s;
}

}  // namespace

class ViewerWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void EveryControlIsThereWithItsText() {
    Fixture f;
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Affichage NOEMIE (ARL/ARX/RSP) v1.1.3"));
    QVERIFY(!f.window->windowIcon().isNull());
    const struct {
      int id;
      const char* kind;
      const char* text;
      bool visible;
    } controls[] = {
        {1906, "QGroupBox",
         "R\xE9"
         "f\xE9rence",
         true},
        {1908, "QCheckBox", "Toujours visible", true},
        {1909, "QRadioButton", "Toutes", true},
        {1910, "QRadioButton", "Paiements", true},
        {1911, "QRadioButton", "Rejets", true},
        {1912, "QRadioButton", "Autres", true},
        {1913, "QRadioButton", "Toujours", true},
        {1915, "QRadioButton", "Aujourd'hui", true},
        {1916, "QRadioButton", "7 jours", true},
        {1917, "QRadioButton", "1 mois", true},
        {1918, "QGroupBox", "Depuis", true},
        {1920, "QPushButton", "Exporter", true},
        {1921, "QPushButton", "trait\xE9s", true},
        {1922, "QPushButton", "non-trait\xE9s", true},
        {1923, "QCheckBox", "", true},
        {1924, "QCheckBox", "Archives", false},
        {1925, "QGroupBox", "RSP   ARL/ARX", true},
        {1926, "QCheckBox", "", true},
        {1927, "QCheckBox", "", false},
        {1928, "QGroupBox", "Marquer", true},
        {1929, "QCheckBox", "Abr\xE9g\xE9", true},
    };
    for (const auto& c : controls) {
      QWidget* w = f.control<QWidget>(c.id);
      QVERIFY2(w, qPrintable(control_name(c.id)));
      QCOMPARE(QString::fromLatin1(w->metaObject()->className()), QString::fromLatin1(c.kind));
      const QString text = c.kind == QByteArray("QGroupBox")
                               ? static_cast<QGroupBox*>(w)->title()
                               : static_cast<QAbstractButton*>(w)->text();
      QCOMPARE(text, cp(c.text));
      QCOMPARE(w->isVisible(), c.visible);
    }
    QVERIFY(f.control<QFrame>(gui::kIdToolFrame));
    QVERIFY(f.control<gui::ListView>(gui::kIdList));
  }

  void OpeningChecksTheControlsFromTheSettingsThenFills() {
    const struct {
      int mask;
      bool abrege;
    } cases[] = {{5, false}, {0, true}, {15, false}, {4, true}};
    for (const auto& c : cases) {
      // While the list fills, the boxes are already checked, the stored rectangle not yet
      // applied and the tooltips not yet attached.
      int mask_when_opening = -1;
      QSize size_when_opening;
      bool tips_when_opening = true;
      Fixture f({c.mask, c.abrege, {10, 10, 1100, 450}}, [&](Fixture& g) {
        mask_when_opening = g.window->tool_strip()->kind_mask();
        size_when_opening = g.window->size();
        tips_when_opening = g.window->list_view()->tooltips_attached();
      });
      QCOMPARE(mask_when_opening, c.mask);
      QVERIFY(size_when_opening != QSize(1100, 450));
      QVERIFY(!tips_when_opening);
      QCOMPARE(f.window->frameGeometry().size(), QSize(1100, 450));
      QVERIFY(f.window->list_view()->tooltips_attached());
      QCOMPARE(f.control<QCheckBox>(1926)->isChecked(), bool(c.mask & 1));
      QCOMPARE(f.control<QCheckBox>(1927)->isChecked(), bool(c.mask & 2));
      QCOMPARE(f.control<QCheckBox>(1923)->isChecked(), bool(c.mask & 4));
      QCOMPARE(f.control<QCheckBox>(1924)->isChecked(), bool(c.mask & 8));
      QCOMPARE(f.control<QCheckBox>(1929)->isChecked(), c.abrege);
      QVERIFY(f.control<QRadioButton>(1909)->isChecked());
      QVERIFY(f.control<QRadioButton>(1913)->isChecked());
      QVERIFY(!f.control<QCheckBox>(1908)->isChecked());
      QCOMPARE(f.window->tool_strip()->kind_mask(), c.mask);
    }
  }

  void CommandsGoToTheSeam() {
    const struct {
      int id;
      const char* call;
    } commands[] =
        {
            {1910, "kind 1"}, {1911, "kind 2"},   {1912, "kind 3"}, {1909, "kind 0"},
            {1917, "age 1"},  {1916, "age 2"},    {1915, "age 3"},  {1913, "age 0"},
            {1926, "mask 4"},  // unchecking RSP from the default 5 leaves ARL/ARX
            {1923, "mask 0"}, {1929, "abrege 1"}, {1921, "mark 1"}, {1922, "mark 0"},
        };
    Fixture f;
    for (const auto& c : commands) {
      f.actions.calls.clear();
      QTest::mouseClick(f.control<QAbstractButton>(c.id), Qt::LeftButton);
      QCOMPARE(f.actions.calls, std::vector<std::string>{c.call});
    }
  }

  void EscapeAndEnterDoNotClose() {
    Fixture f;
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
      QTest::keyClick(f.window.get(), key);
      QTest::keyClick(f.control<QWidget>(gui::kIdExport), key);
      QVERIFY(f.window->isVisible());
    }
    QVERIFY(f.actions.calls.empty());
  }

  void ClosingRunsTheCloseSequenceOnceWithTheOuterRectangle() {
    Fixture f({5, false, {40, 50, 1100, 480}});
    f.window->list_view()->attach_tooltips();
    const QRect outer = f.window->frameGeometry();
    QVERIFY(f.window->close());
    QCOMPARE(f.actions.calls, std::vector<std::string>{"closing"});
    QCOMPARE(f.actions.closing_rects.front(), gui::to_window_rect(outer));
    QVERIFY(!f.window->list_view()->tooltips_attached());
    f.window->close();
    QCOMPARE(f.actions.calls.size(), std::size_t(1));
  }

  void ExportMenuHasThreeEntriesAndOpensBelowTheCursor() {
    Fixture f;
    QMenu* menu = f.window->export_menu();
    const struct {
      int command;
      const char* text;
      const char* call;
    } items[] = {{1019, "&Fichier texte", "export 0"},
                 {1021, "&Fichier Excel", "export 1"},
                 {1033, "&Fichier HTML", "export 2"}};
    QCOMPARE(menu->actions().size(), qsizetype(3));
    for (const auto& item : items) {
      QAction* action = menu->findChild<QAction*>(control_name(item.command));
      QVERIFY(action);
      QCOMPARE(action->text(), QString::fromLatin1(item.text));
      f.actions.calls.clear();
      action->trigger();
      QCOMPARE(f.actions.calls, std::vector<std::string>{item.call});
    }
    const QPoint cursor(300, 200);
    f.window->show_export_menu(cursor);
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    QCOMPARE(menu->pos(), cursor + QPoint(0, 10));
    menu->hide();
  }

  void AlwaysOnTopKeepsPositionAndSize() {
    Fixture f({5, false, {70, 80, 1100, 430}});
    const QRect before = f.window->geometry();
    QTest::mouseClick(f.control<QCheckBox>(gui::kIdAlwaysOnTop), Qt::LeftButton);
    QVERIFY(f.window->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(f.window->isVisible());
    QCOMPARE(f.window->geometry(), before);
    QTest::mouseClick(f.control<QCheckBox>(gui::kIdAlwaysOnTop), Qt::LeftButton);
    QVERIFY(!(f.window->windowFlags() & Qt::WindowStaysOnTopHint));
    QCOMPARE(f.window->geometry(), before);
    QVERIFY(f.actions.calls.empty());
  }

  void StoredRectangleIsAppliedOrBroughtOnScreen() {
    const struct {
      app::WindowRect stored;
      app::WindowRect shown;
    } cases[] = {
        {{100, 120, 1100, 500}, {100, 120, 1100, 500}},
        {{1800, 1000, 1100, 500}, {1800, 1000, 1100, 500}},  // partly on screen: kept
        {{-3000, -2000, 1100, 500}, {410, 270, 1100, 500}},  // wholly off: centred
    };
    for (const auto& c : cases) {
      Fixture f({5, false, c.stored});
      QCOMPARE(gui::to_window_rect(f.window->frameGeometry()), c.shown);
    }
  }

  void ListFillsTheWindowBelowTheToolFrame() {
    Fixture f({5, false, {0, 0, 1100, 500}});
    const QRect frame = f.window->tool_strip()->geometry();
    const QRect list = f.window->list_view()->geometry();
    QCOMPARE(frame.topLeft(), QPoint(5, 5));
    QCOMPARE(list.x(), 5);
    QCOMPARE(list.y(), frame.height() + 10);
    QCOMPARE(list.width(), f.window->width() - 10);
    QCOMPARE(list.bottom(), f.window->height() - 1);
  }

  void MinimumSizeComesFromTheToolFrame() {
    Fixture f;
    const QRect frame = f.window->tool_strip()->geometry();
    const QSize rule = gui::minimum_client_size(frame, QMargins());
    QVERIFY(f.window->minimumWidth() >= rule.width());
    QVERIFY(f.window->minimumHeight() >= rule.height());
    f.window->resize(50, 50);
    QVERIFY(f.window->width() >= frame.right() + 1);
    QVERIFY(f.window->height() >= rule.height());
  }

  void MinimumClientSizeRule() {
    const struct {
      QRect frame;
      QMargins margins;
      QSize client;
    } cases[] = {
        {QRect(5, 5, 600, 80), QMargins(), QSize(600, 170)},
        // caption 30, borders 4: outer 600 x 2*(80 + 35) = 230, less the frame.
        {QRect(5, 5, 600, 80), QMargins(4, 30, 4, 4), QSize(592, 196)},
        {QRect(), QMargins(4, 30, 4, 4), QSize(0, 26)},
    };
    for (const auto& c : cases) QCOMPARE(gui::minimum_client_size(c.frame, c.margins), c.client);
  }
};

QTEST_MAIN(ViewerWindowTest)
#include "viewer_window_test.moc"
