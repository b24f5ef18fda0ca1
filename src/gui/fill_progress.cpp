#include "gui/fill_progress.h"

#include <QApplication>
#include <QPalette>

#include <string>

#include "gui/text_bridge.h"

namespace noemie::gui {
namespace {

// The line is painted again at most this often, so that painting costs the fill nothing.
constexpr auto kRepaintEvery = std::chrono::milliseconds(100);
// Distance of the line from the window's edges, in pixels.
constexpr int kInset = 5;

}  // namespace

FillProgressLine::FillProgressLine(QWidget* window, std::chrono::milliseconds delay)
    : QLabel(window), delay_(delay) {
  setObjectName(QStringLiteral("fillProgress"));
  setFrameShape(QFrame::Box);
  setMargin(3);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::ToolTipBase);
  setForegroundRole(QPalette::ToolTipText);
  hide();
}

FillProgressLine::~FillProgressLine() {
  if (busy_) QApplication::restoreOverrideCursor();
}

void FillProgressLine::fill_started(int files) {
  started_ = Clock::now();
  if (delay_.count() <= 0) show_count(0, files);
}

void FillProgressLine::files_done(int done, int files) {
  const Clock::time_point now = Clock::now();
  if (!busy_ ? now - started_ >= delay_ : now - shown_ >= kRepaintEvery || done == files) {
    show_count(done, files);
  }
}

void FillProgressLine::fill_ended() {
  if (!busy_) return;
  busy_ = false;
  hide();
  QApplication::restoreOverrideCursor();
}

void FillProgressLine::show_count(int done, int files) {
  if (!busy_) {
    busy_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
  }
  shown_ = Clock::now();
  setText(
      to_qstring("Lecture des fichiers : " + std::to_string(done) + " / " + std::to_string(files)));
  const QWidget* window = parentWidget();
  if (!window || !window->isVisible()) return;  // the opening fill: the cursor says it
  const int height = sizeHint().height();
  setGeometry(kInset, window->height() - height - kInset, window->width() - 2 * kInset, height);
  if (!isVisible()) {
    show();
    raise();
  }
  repaint();
}

}  // namespace noemie::gui
