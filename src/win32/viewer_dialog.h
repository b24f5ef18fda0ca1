#pragma once
// The viewer dialog (template 1902): the tool strip of filters and commands above the list.
// It only forwards: every control, menu command and list notification goes to the engine's
// ViewerActions; the list shows the engine's ListControl (ListWindow). The dialog lays the
// list out under the tool frame, keeps the window no smaller than the frame allows, opens at
// the stored rectangle (brought back on a monitor when it lies off every one), stays on top
// on "Toujours visible", and closes only through its close box or system menu.

#include <windows.h>

#include <functional>
#include <memory>

#include "app/opening_sequence.h"
#include "app/viewer_actions.h"
#include "app/window_placement.h"
#include "core/viewer/list_control.h"
#include "win32/list_window.h"

namespace noemie::win32 {

class ViewerDialog final : private app::OpeningWindow {
 public:
  // `list` and `actions` must outlive the dialog.
  ViewerDialog(viewer::ListControl& list, app::ViewerActions& actions);
  ~ViewerDialog() override;
  ViewerDialog(const ViewerDialog&) = delete;
  ViewerDialog& operator=(const ViewerDialog&) = delete;

  // Creates the dialog and runs its opening sequence (app::run_opening_sequence) with
  // `state`; the dialog is visible when this returns. `created`, when set, is
  // told the dialog's window as soon as it exists, before the first fill. False when Windows
  // could not create it.
  bool create(const app::ViewerStartState& state, const std::function<void(HWND)>& created = {});

  HWND hwnd() const { return hwnd_; }
  ListWindow* list_window() const { return list_window_.get(); }
  // True once the close sequence has run.
  bool closed() const { return closed_; }
  // Runs the close sequence (as the close box does) when the dialog is still open.
  void close();

  // The outer rectangle the close sequence stores: the window's, or its restored one when it
  // is maximised or minimised; in pixels at 96 DPI (the stored rectangle is opened at the
  // window's DPI).
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
  void initialise(HWND dialog);
  void command(int id);
  void measure_tool_frame();
  // The smallest outer size of the window (tracking and placement).
  app::Size smallest_size() const;
  void lay_out(int client_width, int client_height);
  void show_export_menu();
  int kind_mask() const;
  bool checked(int id) const;
  void run_close_sequence();

  viewer::ListControl& list_;
  app::ViewerActions& actions_;
  const app::ViewerStartState* state_ = nullptr;
  const std::function<void(HWND)>* created_ = nullptr;
  HWND hwnd_ = nullptr;
  std::unique_ptr<ListWindow> list_window_;
  HICON icons_[2] = {nullptr, nullptr};
  // The tool frame (control 1907) as measured: width, height, and the distance from the
  // window's outer top edge to it, in pixels; 0 before the measurement.
  int tools_min_ = 0;
  int tools_height_ = 0;
  int header_size_ = 0;
  // The outer width that shows the whole tool frame, with its left margin on the right too.
  int tools_outer_width_ = 0;
  bool closed_ = false;
};

}  // namespace noemie::win32
