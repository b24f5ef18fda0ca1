#include "gui/fill_progress.h"

#include <QApplication>
#include <QPalette>

#include "gui/text_bridge.h"

namespace noemie::gui {
namespace {

// Distance of the line from the window's edges, in pixels.
constexpr int kInset = app::kMargin;

}  // namespace

FillProgressLine::FillProgressLine(QWidget* window, std::chrono::milliseconds delay)
    : QLabel(window), pacer_(delay) {
  setObjectName(QStringLiteral("fillProgress"));
  setFrameShape(QFrame::Box);
  setMargin(3);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::ToolTipBase);
  setForegroundRole(QPalette::ToolTipText);
  hide();
}

FillProgressLine::~FillProgressLine() {
  if (pacer_.busy()) QApplication::restoreOverrideCursor();
}

void FillProgressLine::fill_started(int files) {
  paint_step(pacer_.started(files), 0, files);
}

void FillProgressLine::files_done(int done, int files) {
  paint_step(pacer_.done(done, files), done, files);
}

void FillProgressLine::fill_ended() {
  if (!pacer_.ended()) return;
  hide();
  QApplication::restoreOverrideCursor();
}

void FillProgressLine::paint_step(app::FillPacer::Step step, int done, int files) {
  if (step == app::FillPacer::Step::Nothing) return;
  if (step == app::FillPacer::Step::Begin) QApplication::setOverrideCursor(Qt::WaitCursor);
  setText(to_qstring(app::fill_progress_text(done, files)));
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
