#pragma once
// The viewer's list as a Windows list-view control in report view and virtual mode: the
// control keeps no text; it asks for the cells and icons of the rows it draws
// (LVN_GETDISPINFO), which come from the engine's ListControl, Windows-1252 converted to
// UTF-16. The control's selection and the widths the user drags are written back into the
// ListControl; widths are shown scaled from the core's unit (ColumnScale) so that a stored
// width shows the same text at any DPI.
//
// The tooltip of the resting pointer: a balloon tooltip control (shown also while the
// window is inactive) over the whole list, its text asked for on demand; leaving the cell
// whose text is shown hides it at once and the next cell's tip comes after the short delay
// (app::TooltipRearm).

#include <windows.h>
// After windows.h, which it builds on:
#include <commctrl.h>

#include <functional>
#include <string>

#include "app/column_scale.h"
#include "app/tooltip_rearm.h"
#include "app/viewer_actions.h"
#include "core/viewer/list_control.h"

namespace noemie::win32 {

class ListWindow final : public viewer::ListObserver {
 public:
  // Shows `list` in the list-view control `control` (a child of `dialog`); actions go to
  // `actions`. All three must outlive the object. Becomes the list's observer.
  ListWindow(HWND dialog, HWND control, viewer::ListControl& list, app::ViewerActions& actions);
  ~ListWindow() override;
  ListWindow(const ListWindow&) = delete;
  ListWindow& operator=(const ListWindow&) = delete;

  HWND control() const { return control_; }
  const app::ColumnScale& column_scale() const { return scale_; }
  // The tooltip control; nullptr while tooltips are detached.
  HWND tooltip() const { return tooltip_; }

  // The DPI or the font changed: the scale, the pictures and the shown widths follow.
  void update_scale();
  // Widths the user dragged in the control, recorded in the ListControl (in the core's
  // unit). Called before every action that reads them.
  void pull_widths();
  // The rows the ListControl holds now, shown (during a fill, those listed so far).
  void show_rows();
  // Run each time the rows shown have changed wholesale (a fill, a sort, a find).
  void set_rows_shown_hook(std::function<void()> hook) { rows_shown_ = std::move(hook); }

  void attach_tooltips();
  void detach_tooltips();

  // A WM_NOTIFY the dialog received from the list, its header or the tooltip; true when
  // handled, with the dialog's result in `result`.
  bool on_notify(const NMHDR& header, LRESULT& result);

  // The offset in the core's unit from `row`'s left edge of the list's client x `client_x`.
  int x_in_row(int row, int client_x) const;

  // ListObserver
  void about_to_reset() override { resetting_ = true; }
  void reset() override;
  void row_changed(int row) override;
  void column_width_changed(int column) override;

 private:
  static LRESULT CALLBACK list_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                    UINT_PTR id, DWORD_PTR self);
  void make_columns();
  void load_images();
  void apply_widths();
  void push_selection();
  void note_selection(int first, int last, bool selected);
  void display_info(NMLVDISPINFOW& info);
  void tooltip_text(NMTTDISPINFOW& info);
  void pointer_moved(POINT point);

  HWND dialog_;
  HWND control_;
  viewer::ListControl& list_;
  app::ViewerActions& actions_;
  app::ColumnScale scale_;
  HIMAGELIST images_ = nullptr;
  int columns_made_ = 0;
  // While the selection is pushed into the control, its notifications are not written back.
  bool pushing_selection_ = false;
  // Between the start and the end of a fill or a sort, the rows change wholesale: single
  // row changes are not redrawn one by one.
  bool resetting_ = false;
  // A cell's text, converted, kept while the control draws it.
  std::wstring cell_text_;

  HWND tooltip_ = nullptr;
  int tip_delay_ = 0;        // the tooltip's own initial delay
  app::TooltipRearm rearm_;  // the cell whose tip was given (client pixels)
  POINT pointer_{-1, -1};    // the pointer's last place over the list (client pixels)
  std::wstring tip_text_;
  std::function<void()> rows_shown_;
};

}  // namespace noemie::win32
