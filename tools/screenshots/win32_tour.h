#pragma once
// A guided tour of the Windows viewer that saves pictures of it as BMP files, for
// scripts/screenshot-windows. It drives the desktop program of the viewer (run_desktop) from
// the front end's hooks, in a program of its own (win32_screenshot_tour.exe); the viewer
// never makes one.
//
// The tour works as a user would: it moves the pointer (tooltips come from the tooltip
// control's own timer), clicks the controls, opens the export menu and double-clicks a cell.
// Pictures are taken from the screen, cut to the windows of the program, so frames,
// tooltips, menus and boxes are on them:
//   error-dialog.bmp   the error dialog a faulty return file raises during the first fill
//   viewer.bmp         the full list with a selected row
//   tooltip.bmp        the tooltip of a "Réf" cell;  tooltip-amount.bmp  of an amount cell
//   export-menu.bmp    the menu "Exporter" opens
//   detail-box.bmp     the message box of a double-click on a "Réf" cell
//   transfers.bmp      the transfers window over the list, its first transfer ticked
//   viewer-transfer.bmp  the list narrowed to a transfer by a double-click on its line
//   viewer-rejets.bmp  the list under the "Rejets" filter
//   refill-error-dialog.bmp  the error dialog of the refill that "Toutes" starts, in front
//                      of the rows listed before the faulty file
// The selected row's file is marked "traités", and the window is then closed the normal way
// (flags and settings saved).

#include <windows.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <string>

#include "win32/desktop_main.h"
#include "win32/viewer_dialog.h"

namespace noemie::win32 {

class ScreenshotTour final : public WindowDriver {
 public:
  explicit ScreenshotTour(std::filesystem::path folder);
  ~ScreenshotTour() override;
  ScreenshotTour(const ScreenshotTour&) = delete;
  ScreenshotTour& operator=(const ScreenshotTour&) = delete;

  // Starts the tour of the shown viewer dialog.
  void start(ViewerDialog& dialog);
  // An error dialog runs: the first one and the refill's are pictured; each is closed.
  void fault_shown(HWND fault);

  // False when a picture could not be saved or a step found nothing to picture.
  bool succeeded() const { return ok_; }
  // 3 when the tour failed, else the start-up's status.
  int exit_status(int startup_status) const override { return ok_ ? startup_status : 3; }

 private:
  static LRESULT CALLBACK timer_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  // Runs `step` `delay_ms` after the previous one has run.
  void then(int delay_ms, std::function<void()> step);
  void run_next();
  void save(const wchar_t* name);
  // The centre of a cell, in screen pixels.
  POINT cell_centre(int row, int column) const;
  // The first row with a non-empty cell in `column`; -1 when none.
  int row_with_text(int column);
  void post_click(int id) const;
  // The transfers window's table; nullptr while that window is not open.
  HWND transfers_table() const;
  void select_only(int row) const;
  // Pictures the error dialog on show when it is one of the two wanted, and closes it.
  void answer_fault();
  void close_viewer_later();

  std::filesystem::path folder_;
  HWND timer_window_ = nullptr;
  ViewerDialog* dialog_ = nullptr;
  std::deque<std::pair<int, std::function<void()>>> steps_;
  bool step_pending_ = false;
  int faults_seen_ = 0;
  bool refill_fault_wanted_ = false;
  HWND fault_ = nullptr;
  bool fault_is_refill_ = false;
  bool ok_ = true;
};

}  // namespace noemie::win32
