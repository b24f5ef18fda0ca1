// The progress of a long fill: the busy cursor and the line over the foot of the window.

#include <QApplication>
#include <QTest>

#include <chrono>

#include "gui/fill_progress.h"

using namespace noemie;
using namespace std::chrono_literals;

class FillProgressTest : public QObject {
  Q_OBJECT

 private slots:
  void LongFillShowsTheCursorAndTheCountUntilItEnds() {
    QWidget window;
    window.resize(400, 300);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    gui::FillProgressLine line(&window, 0ms);  // shows at once
    line.fill_started(10);
    QVERIFY(line.busy());
    QVERIFY(line.isVisible());
    QVERIFY(QApplication::overrideCursor() != nullptr);
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    line.files_done(10, 10);
    QCOMPARE(line.text(), QStringLiteral("Lecture des fichiers : 10 / 10"));
    QVERIFY(line.geometry().bottom() < window.height());
    line.fill_ended();
    QVERIFY(!line.busy());
    QVERIFY(!line.isVisible());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
  }

  void QuickFillOrHiddenWindowShowsNoLine() {
    QWidget window;
    struct Case {
      std::chrono::milliseconds delay;
      bool window_shown;
      bool busy;
    } cases[] = {{1h, true, false}, {0ms, false, true}};
    for (const Case& c : cases) {
      window.setVisible(c.window_shown);
      gui::FillProgressLine line(&window, c.delay);
      line.fill_started(3);
      line.files_done(1, 3);
      QCOMPARE(line.busy(), c.busy);
      QVERIFY(!line.isVisible());  // a quick fill, or the opening fill: the cursor at most
      line.fill_ended();
      QCOMPARE(QApplication::overrideCursor(), nullptr);
    }
  }
};

QTEST_MAIN(FillProgressTest)
#include "fill_progress_test.moc"
