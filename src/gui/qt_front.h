#pragma once
// The Qt front end of the desktop program: the viewer window (ViewerWindow) made over the
// engine's list and shown in its own event loop, as a modal dialog runs, and the error dialog
// of a fault, modal to that window with the rows listed so far in sight behind it.

#include <QWidget>

#include <functional>
#include <memory>

#include "app/viewer_front.h"
#include "gui/viewer_window.h"
#include "gui/window_placement.h"

namespace noemie::gui {

class QtFront final : public app::ViewerFront {
 public:
  // `screens` must outlive the front. `owner_changed` is told the viewer window when it
  // opens and nullptr once it is gone, so that message boxes and choosers are modal to it;
  // it may be empty.
  explicit QtFront(const Screens& screens, std::function<void(QWidget*)> owner_changed = {});
  ~QtFront() override;

  void open_window(viewer::ListControl& list, app::ViewerActions& actions,
                   const app::ViewerStartState& state) override;
  void run_window() override;
  void close_window() override;
  void show_fault(const FaultReport& fault, const std::function<void()>& send) override;

  // Runs each time run_window has shown the window (from the window's event loop).
  void set_window_shown_hook(std::function<void(ViewerWindow&)> hook) {
    window_shown_ = std::move(hook);
  }

  ViewerWindow* window() const { return window_.get(); }

 private:
  void set_owner(QWidget* owner);

  const Screens& screens_;
  std::function<void(QWidget*)> owner_changed_;
  std::unique_ptr<ViewerWindow> window_;
  std::function<void(ViewerWindow&)> window_shown_;
};

}  // namespace noemie::gui
