#pragma once
// When a window shows how a long fill goes. Most fills are quick (the files read before are
// kept), so nothing shows during the first `delay` of a fill; after that the busy cursor and
// the line "Lecture des fichiers : n / N" show, the line painted again at most every
// kProgressRepaintMs (so that painting costs the fill nothing) and once more for the last
// file. The window feeds the engine's FillProgress calls through it and draws what it says.

#include <chrono>
#include <string>

#include "app/window_texts.h"

namespace noemie::app {

// "Lecture des fichiers : 1200 / 5000".
std::string fill_progress_text(int done, int files);

class FillPacer {
 public:
  enum class Step {
    Nothing,  // show nothing new
    Begin,    // the progress shows from now: busy cursor on, the line with the count shown
    Update,   // the line's count painted again
  };

  explicit FillPacer(std::chrono::milliseconds delay = std::chrono::milliseconds(kProgressDelayMs))
      : delay_(delay) {}

  Step started(int files);
  Step done(int done, int files);
  // True when the progress was on show: the window puts the cursor back and hides the line.
  bool ended();

  // From Begin to the end of the fill.
  bool busy() const { return busy_; }
  // True between started() and ended().
  bool filling() const { return filling_; }

 private:
  using Clock = std::chrono::steady_clock;
  Step show();

  const std::chrono::milliseconds delay_;
  Clock::time_point started_;
  Clock::time_point shown_;
  bool busy_ = false;
  bool filling_ = false;
};

}  // namespace noemie::app
