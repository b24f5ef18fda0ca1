#pragma once
// What a front end does for the desktop program: it makes, shows and closes the viewer
// window over the engine's list, and shows the error dialog of a fault met while reading a
// return file. The program (EngineProgram) decides when; the front end only shows.

#include <functional>

#include "app/viewer_actions.h"
#include "core/noemie/fault_report.h"
#include "core/viewer/viewer.h"

namespace noemie::app {

class ViewerFront {
 public:
  virtual ~ViewerFront() = default;

  // Makes the viewer window over the list of `viewer`, every action of it going to `actions`
  // (both must outlive the window), and runs its opening sequence with `state` (which calls
  // actions.window_opening()); the window is not shown yet. The tools that act on the rows
  // shown (find, summary, refresh, print) work through `viewer`. From now on message boxes,
  // choosers and error dialogs are modal to it.
  virtual void open_window(viewer::Viewer& viewer, ViewerActions& actions,
                           const ViewerStartState& state) = 0;

  // Shows the window and returns once it has closed (its close sequence has run).
  virtual void run_window() = 0;

  // Closes the window when it is still open (its close sequence runs), then releases it;
  // without a window, does nothing.
  virtual void close_window() = 0;

  // Shows the error dialog of `fault` (never one of the silent codes), modal to the window
  // when there is one, and returns once the user has closed it. `send` is run each time
  // "Envoyer" is pressed; the dialog stays open. While the dialog is open, the rows listed so
  // far stay in sight.
  virtual void show_fault(const FaultReport& fault, const std::function<void()>& send) = 0;

  // What shows how a long fill goes in the window while one is open, or nullptr when the
  // front end shows nothing of it. It lives as long as the front end.
  virtual viewer::FillProgress* fill_progress() { return nullptr; }
};

}  // namespace noemie::app
