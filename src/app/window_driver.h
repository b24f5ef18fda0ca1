#pragma once
// A program built over a desktop front end that drives the viewer's window by itself (a
// test's child process, a screenshot tour): made by that program, never by the viewer.

namespace noemie::app {

class WindowDriver {
 public:
  virtual ~WindowDriver() = default;
  // The program's exit status, from the start-up's.
  virtual int exit_status(int startup_status) const { return startup_status; }
};

}  // namespace noemie::app
