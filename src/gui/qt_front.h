#pragma once
// The Qt front end of the desktop program: the viewer window (ViewerWindow) made over the
// engine's list and shown in its own event loop, as a modal dialog runs, and the error dialog
// of a fault, modal to that window with the rows listed so far in sight behind it.

#include <QWidget>

#include <functional>
#include <memory>

#include "app/viewer_front.h"
#include "gui/fill_progress.h"
#include "gui/viewer_window.h"
#include "gui/window_placement.h"

namespace noemie::gui {

class QtFront final : public app::ViewerFront, private viewer::FillProgress {
 public:
  // `screens` must outlive the front. `owner_changed` is told the viewer window when it
  // opens and nullptr once it is gone, so that message boxes and choosers are modal to it;
  // it may be empty.
  explicit QtFront(const Screens& screens, std::function<void(QWidget*)> owner_changed = {});
  ~QtFront() override;

  void open_window(viewer::Viewer& viewer, app::ViewerActions& actions,
                   const app::ViewerStartState& state) override;
  void run_window() override;
  void close_window() override;
  void show_fault(const FaultReport& fault, const std::function<void()>& send) override;
  // The window's progress line, while there is a window.
  viewer::FillProgress* fill_progress() override { return this; }

  // Runs each time run_window has shown the window (from the window's event loop).
  void set_window_shown_hook(std::function<void(ViewerWindow&)> hook) {
    window_shown_ = std::move(hook);
  }

  ViewerWindow* window() const { return window_.get(); }

 private:
  void set_owner(QWidget* owner);

  // viewer::FillProgress, passed on to the window's progress line.
  void fill_started(int files) override;
  void files_done(int done, int files) override;
  void fill_ended() override;

  const Screens& screens_;
  std::function<void(QWidget*)> owner_changed_;
  std::unique_ptr<ViewerWindow> window_;
  FillProgressLine* progress_line_ = nullptr;  // a child of the window
  std::function<void(ViewerWindow&)> window_shown_;
};

}  // namespace noemie::gui
