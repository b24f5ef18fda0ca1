#pragma once
// The Windows front end of the desktop program: the viewer dialog made over the engine's
// list and run in a message loop of its own until it closes, as a modal dialog runs (the
// viewer's keys translated whichever control has the focus), and the error dialog of a
// fault, modal to the viewer with the rows listed so far in sight. The engine's fills report
// their progress to the dialog.

#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>

#include "app/viewer_front.h"
#include "app/window_texts.h"
#include "win32/viewer_dialog.h"

namespace noemie::win32 {

class Win32Front final : public app::ViewerFront, private viewer::FillProgress {
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
  // The dialog's progress, while there is a dialog.
  viewer::FillProgress* fill_progress() override { return this; }

  // How long a fill runs before its progress shows, for the windows opened from now on.
  void set_progress_delay(std::chrono::milliseconds delay) { progress_delay_ = delay; }

  ViewerDialog* dialog() const { return dialog_.get(); }

  // Told each error dialog's window once it runs (tests and the screenshot tour close it).
  void set_fault_shown_hook(std::function<void(HWND)> hook) { fault_shown_ = std::move(hook); }
  // Runs each time run_window has the window on screen, just before its message loop.
  void set_window_shown_hook(std::function<void(ViewerDialog&)> hook) {
    window_shown_ = std::move(hook);
  }

 private:
  // viewer::FillProgress, passed on to the dialog's.
  void fill_started(int files) override;
  void files_done(int done, int files) override;
  void fill_ended() override;

  std::function<void(HWND)> owner_changed_;
  std::chrono::milliseconds progress_delay_{app::kProgressDelayMs};
  std::unique_ptr<ViewerDialog> dialog_;
  std::function<void(HWND)> fault_shown_;
  std::function<void(ViewerDialog&)> window_shown_;
};

}  // namespace noemie::win32
