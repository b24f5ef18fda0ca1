#pragma once
// The transfers window of the Windows viewer ("Virements", template IDD_TRANSFERS): a modeless
// dialog owned by the viewer dialog, so that it stays above it, goes with it, and leaves the
// viewer's list free to look at while it is open. It draws app::TransfersWiring's table and
// forwards every action there:
//   - the table, a virtual list-view whose items' texts are the model's cells (the check
//     column "Pointé" shows a check box: a state image asked for with the texts); a click on a
//     title sorts; a click on a check box, or Space, ticks; a double-click elsewhere on a line,
//     or Enter, narrows the viewer's list to that transfer; lines with a gap are drawn in red;
//   - the static under it with the line of totals, and the list of the credits of a statement
//     that matched no transfer (with its label, shown only when there are some);
//   - "Exporter" (the export menu), "Imprimer…" (the print preview), "Relevé bancaire…".
// Escape and the close box close the window (its dialog destroyed: the table's sort and the
// statement read stay with the object); it opens again where it was, at the same size, during
// the run.
//
// While the viewer is busy (a fill, or a dialog or menu of its own) the window's actions are
// dropped. While an action of the window runs (its message boxes, choosers and preview), the
// viewer dialog is disabled, so that no fill starts under it.

#include <windows.h>
// After windows.h, which it builds on:
#include <commctrl.h>

#include <functional>
#include <string>

#include "app/transfers_wiring.h"
#include "win32/win32_services.h"

namespace noemie::app {
class PracticeWiring;
}

namespace noemie::win32 {

class TransfersWindow final : private app::TransfersView {
 public:
  // The window, not open yet, owned by `viewer_dialog` once open. `viewer` and `practice` must
  // outlive the object; `viewer_busy` says whether the viewer is busy.
  TransfersWindow(HWND viewer_dialog, viewer::Viewer& viewer, app::PracticeWiring& practice,
                  std::function<bool()> viewer_busy);
  ~TransfersWindow() override;
  TransfersWindow(const TransfersWindow&) = delete;
  TransfersWindow& operator=(const TransfersWindow&) = delete;

  // The window; nullptr while it is not open.
  HWND hwnd() const { return hwnd_; }
  bool is_open() const { return wiring_.is_open(); }
  const app::TransfersWiring& wiring() const { return wiring_; }

  // Opens the window over the viewer (unless the viewer is busy) with the table made anew,
  // or brings it forward, and gives it the focus.
  void open();
  // Closes it.
  void close();
  // The viewer's list changed: the table follows while the window is open.
  void list_changed() { wiring_.list_changed(); }
  // The viewer closes: the window closed, ticks not saved yet written (a failure said).
  void viewer_closing();
  void session_ending() { wiring_.session_ending(); }

  // Handles `message` when it is a dialog key (Tab, Escape, Enter...) of the window.
  bool translate(MSG& message);

 private:
  // app::TransfersView
  void show_table() override;
  void preview(const print::Document& document) override;

  static INT_PTR CALLBACK dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
  INT_PTR handle(UINT message, WPARAM wparam, LPARAM lparam);
  INT_PTR answer(LRESULT result);
  void command(int id);
  bool notify(const NMHDR& header, LRESULT& result);
  // Runs `action` unless the viewer is busy, with the viewer dialog disabled meanwhile.
  void act(const std::function<void()>& action);
  // The first opening: over the middle of the viewer, on its monitor.
  void centre_over_viewer();
  void make_columns();
  void show_export_menu();
  void lay_out();
  void display_info(NMLVDISPINFOW& info);
  LRESULT custom_draw(NMLVCUSTOMDRAW& draw) const;

  HWND viewer_dialog_;
  std::function<bool()> viewer_busy_;
  Win32Dialogs dialogs_;
  app::TransfersWiring wiring_;
  HWND hwnd_ = nullptr;
  HWND list_ = nullptr;
  HWND status_ = nullptr;
  HWND unmatched_label_ = nullptr;
  HWND unmatched_ = nullptr;
  HWND tips_ = nullptr;
  int columns_made_ = 0;
  // The template's distance from the window's top to the table, and the status line's height.
  int table_top_ = 0;
  int status_height_ = 0;
  bool acting_ = false;
  // Where the window was when it last closed (screen pixels), if it has been open.
  bool placed_ = false;
  RECT place_{};
  // A cell's text, converted, kept while the control draws it.
  std::wstring cell_text_;
};

}  // namespace noemie::win32
