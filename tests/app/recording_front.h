#pragma once
// A front end without a window, for tests of the desktop program: open_window runs the
// opening sequence (ViewerActions::window_opening), close_window the close sequence once,
// run_window runs `while_shown` and then closes; each error dialog is recorded and, when
// `press_send` is set, its "Envoyer" pressed once.

#include <functional>
#include <vector>

#include "app/viewer_front.h"

namespace noemie::testing {

class RecordingFront final : public app::ViewerFront {
 public:
  std::vector<FaultReport> faults;
  bool press_send = false;
  // Runs while run_window shows the window.
  std::function<void()> while_shown;
  // The outer rectangle the window gives its close sequence.
  app::WindowRect rect{10, 20, 640, 480};

  viewer::ListControl* list = nullptr;
  app::ViewerStartState state;

  void open_window(viewer::Viewer& v, app::ViewerActions& actions,
                   const app::ViewerStartState& s) override {
    list = &v.list();
    actions_ = &actions;
    state = s;
    actions.window_opening();
  }
  void run_window() override {
    if (while_shown) while_shown();
    close_window();
  }
  void close_window() override {
    if (actions_) actions_->window_closing(rect);
    actions_ = nullptr;
    list = nullptr;
  }
  void show_fault(const FaultReport& fault, const std::function<void()>& send) override {
    faults.push_back(fault);
    if (press_send) send();
  }

 private:
  app::ViewerActions* actions_ = nullptr;
};

}  // namespace noemie::testing
