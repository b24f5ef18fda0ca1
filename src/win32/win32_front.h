#pragma once
// The Windows front end of the desktop program: the viewer dialog made over the engine's
// list and run in a message loop of its own until it closes, as a modal dialog runs, and the
// error dialog of a fault, modal to the viewer with the rows listed so far in sight.

#include <windows.h>

#include <functional>
#include <memory>

#include "app/viewer_front.h"
#include "win32/viewer_dialog.h"

namespace noemie::win32 {

class Win32Front final : public app::ViewerFront {
 public:
  // `owner_changed` is told the viewer's window when it opens and nullptr once it is gone,
  // so that message boxes and choosers are modal to it; it may be empty.
  explicit Win32Front(std::function<void(HWND)> owner_changed = {});
  ~Win32Front() override;

  void open_window(viewer::Viewer& viewer, app::ViewerActions& actions,
                   const app::ViewerStartState& state) override;
  void run_window() override;
  void close_window() override;
  void show_fault(const FaultReport& fault, const std::function<void()>& send) override;

  ViewerDialog* dialog() const { return dialog_.get(); }

  // Told each error dialog's window once it runs (tests and the screenshot tour close it).
  void set_fault_shown_hook(std::function<void(HWND)> hook) { fault_shown_ = std::move(hook); }
  // Runs each time run_window has the window on screen, just before its message loop.
  void set_window_shown_hook(std::function<void(ViewerDialog&)> hook) {
    window_shown_ = std::move(hook);
  }

 private:
  std::function<void(HWND)> owner_changed_;
  std::unique_ptr<ViewerDialog> dialog_;
  std::function<void(HWND)> fault_shown_;
  std::function<void(ViewerDialog&)> window_shown_;
};

}  // namespace noemie::win32
