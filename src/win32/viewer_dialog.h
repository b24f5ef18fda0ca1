#pragma once
// The viewer dialog (template 1902): the tool strip of filters and commands above the list,
// the find line between the tool frame and the list, the status line under it. It only
// forwards: every control, menu command, key and list notification goes to the engine's
// ViewerActions or to the practice line (find, summary, refresh); the list shows the
// engine's ListControl (ListWindow). "Virements…" opens the transfers window (TransfersWindow),
// which follows the list and goes with the dialog. The dialog lays the list out under the tool
// frame and the find line, keeps the window no smaller than the frame and the lines allow, opens at
// the stored rectangle (in screen pixels, brought back on a monitor when it lies off every one),
// stays on top on "Toujours visible", and closes only through its close box or system menu.
//
// During a fill the window keeps answering (FillBusy): a close asked meanwhile, and the
// commands that other programs send, wait until the fill has ended. At logoff or shutdown
// (WM_ENDSESSION) the close sequence's saves run at once.

#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "app/opening_sequence.h"
#include "app/pdf_save.h"
#include "app/viewer_actions.h"
#include "app/window_placement.h"
#include "core/viewer/viewer.h"
#include "win32/fill_busy.h"
#include "win32/list_window.h"
#include "win32/practice_line.h"
#include "win32/transfers_window.h"

namespace noemie::win32 {

class ViewerDialog final : private app::OpeningWindow {
 public:
  // `viewer` and `actions` must outlive the dialog. The fill's progress shows once a fill
  // has run `progress_delay`.
  ViewerDialog(viewer::Viewer& viewer, app::ViewerActions& actions,
               std::chrono::milliseconds progress_delay);
  ~ViewerDialog() override;
  ViewerDialog(const ViewerDialog&) = delete;
  ViewerDialog& operator=(const ViewerDialog&) = delete;

  // Creates the dialog and runs its opening sequence (app::run_opening_sequence) with
  // `state`; the dialog is visible when this returns. `created`, when set, is told the
  // dialog's window as soon as it exists, before the first fill. False when Windows could not
  // create it.
  bool create(const app::ViewerStartState& state, const std::function<void(HWND)>& created = {});

  HWND hwnd() const { return hwnd_; }
  ListWindow* list_window() const { return list_window_.get(); }
  PracticeLine* practice_line() const { return line_.get(); }
  // The transfers window; nullptr until "Virements…" first opens it.
  TransfersWindow* transfers_window() const { return transfers_.get(); }
  // What the engine's fills report to; nullptr before the dialog exists.
  FillBusy* fill_busy() const { return fill_.get(); }
  // True while a fill runs.
  bool filling() const { return fill_ && fill_->filling(); }
  // True once the close sequence has run.
  bool closed() const { return closed_; }
  // Runs the close sequence (as the close box does) when the dialog is still open.
  void close();

  // Handles `message` when it is one of the viewer's keys or a dialog key (Tab, Escape...)
  // of its controls; the message loop dispatches it otherwise.
  bool translate(MSG& message);

  // The outer rectangle the close sequence stores, in screen pixels: the window's, or its
  // restored one when it is maximised or minimised.
  app::WindowRect closing_rect() const;

 private:
  // app::OpeningWindow
  void check_kind_radio(int type_liste) override;
  void check_age_radio(int type_date) override;
  void check_kind_mask(int mask) override;
  void check_abrege(bool on) override;
  void check_always_on_top(bool on) override;
  std::vector<app::WindowRect> screens() const override;
  app::WindowRect primary_available() const override;
  app::Size minimum_size() override;
  void place_at(const app::WindowRect& outer) override;
  void attach_tooltips() override;
  void hide_unused_mask_boxes() override;
  void focus_list() override;

  static INT_PTR CALLBACK Listage_Noemie_Dlg(HWND dialog, UINT message, WPARAM wparam,
                                             LPARAM lparam);
  INT_PTR handle(UINT message, WPARAM wparam, LPARAM lparam);
  INT_PTR answer(LRESULT result);
  void initialise(HWND dialog);
  void command(int id, int notification);
  void measure_tool_frame();
  // The smallest outer size of the window (tracking and placement).
  app::Size smallest_size() const;
  void lay_out(int client_width, int client_height);
  void lay_out_now();
  void show_export_menu();
  // "Imprimer…": the print preview of the rows shown, from which they are printed.
  void print_rows();
  // "Fichier PDF": asks for a file and writes the printout of the rows shown there.
  void save_pdf();
  // "Virements…": the transfers window, made the first time.
  void open_transfers();
  // The rows shown changed wholesale: the status line and the transfers window follow.
  void rows_shown();
  int kind_mask() const;
  bool checked(int id) const;
  // A dialog, a menu or a fill holds the window.
  bool busy() const;
  void fill_over();
  void run_close_sequence();

  viewer::Viewer& viewer_;
  viewer::ListControl& list_;
  app::ViewerActions& actions_;
  const std::chrono::milliseconds progress_delay_;
  const app::ViewerStartState* state_ = nullptr;
  const std::function<void(HWND)>* created_ = nullptr;
  HWND hwnd_ = nullptr;
  HACCEL keys_ = nullptr;
  std::unique_ptr<ListWindow> list_window_;
  std::unique_ptr<PracticeLine> line_;
  std::unique_ptr<FillBusy> fill_;
  std::unique_ptr<TransfersWindow> transfers_;
  app::PdfSave pdf_save_;
  HICON icons_[2] = {nullptr, nullptr};
  // The tool frame (control 1907) as measured: width, height, and the distance from the
  // window's outer top edge to it, in pixels; 0 before the measurement.
  int tools_min_ = 0;
  int tools_height_ = 0;
  int header_size_ = 0;
  // The outer width that shows the whole tool frame, with its left margin on the right too.
  int tools_outer_width_ = 0;
  // Where the opening sequence places the window (the opening fill may show it earlier).
  app::WindowRect opening_rect_;
  bool menu_open_ = false;
  // Asked during a fill, done once it has ended.
  bool close_held_ = false;
  std::vector<std::pair<WPARAM, LPARAM>> held_commands_;
  bool closed_ = false;
};

}  // namespace noemie::win32
