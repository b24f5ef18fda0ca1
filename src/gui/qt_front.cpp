#include "gui/qt_front.h"

#include <QEventLoop>
#include <QTimer>

#include "gui/error_dialog.h"
#include "gui/practice_tools.h"

namespace noemie::gui {

QtFront::QtFront(const Screens& screens, std::function<void(QWidget*)> owner_changed)
    : screens_(screens), owner_changed_(std::move(owner_changed)) {}

QtFront::~QtFront() {
  close_window();
}

void QtFront::set_owner(QWidget* owner) {
  if (owner_changed_) owner_changed_(owner);
}

void QtFront::open_window(viewer::Viewer& viewer, app::ViewerActions& actions,
                          const app::ViewerStartState& state) {
  close_window();
  window_ = std::make_unique<ViewerWindow>(viewer.list(), actions, screens_);
  progress_line_ = new FillProgressLine(window_.get());
  // Dialogs are modal to the window from its first fill on, so that no second fill can start
  // while one is open.
  set_owner(window_.get());
  window_->initialise(state);
  new PracticeTools(*window_, viewer);  // a child of the window: it goes with it
}

void QtFront::run_window() {
  if (!window_ || window_->has_closed()) return;
  if (window_shown_) {
    QTimer::singleShot(0, window_.get(), [this] {
      if (window_ && !window_->has_closed()) window_shown_(*window_);
    });
  }
  QEventLoop loop;
  QObject::connect(window_.get(), &ViewerWindow::closed, &loop, &QEventLoop::quit);
  window_->show();
  loop.exec();
}

void QtFront::close_window() {
  if (window_ && !window_->has_closed()) window_->close();
  set_owner(nullptr);
  progress_line_ = nullptr;
  // The window's list adapter stops observing the engine's list before the list goes.
  window_.reset();
}

void QtFront::show_fault(const FaultReport& fault, const std::function<void()>& send) {
  ErrorDialog dialog(fault, send, window_.get());
  // The rows listed before the faulty file stay in sight behind the dialog.
  if (window_) window_->list_model().show_rows_so_far();
  dialog.exec();
  if (window_) window_->list_model().resume_fill();
}

void QtFront::fill_started(int files) {
  if (progress_line_) progress_line_->fill_started(files);
}

void QtFront::files_done(int done, int files) {
  if (progress_line_) progress_line_->files_done(done, files);
}

void QtFront::fill_ended() {
  if (progress_line_) progress_line_->fill_ended();
}

}  // namespace noemie::gui
