#include "win32/viewer_dialog.h"

#include <algorithm>

#include "app/window_texts.h"
#include "core/noemie/version.h"
#include "core/platform/win32/wide_text.h"
#include "print/list_layout.h"
#include "print/print_heading.h"
#include "win32/dpi.h"
#include "win32/print_preview.h"
#include "win32/resource_ids.h"
#include "win32/win32_services.h"

namespace noemie::win32 {
namespace {

using app::kMargin;
using app::kMenuDrop;

HICON load_icon(int id, int metric_x, HWND window) {
  const int size = GetSystemMetricsForDpi(metric_x, static_cast<UINT>(dpi_of(window)));
  return static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
}

}  // namespace

ViewerDialog::ViewerDialog(viewer::Viewer& viewer, app::ViewerActions& actions,
                           std::chrono::milliseconds progress_delay)
    : viewer_(viewer), list_(viewer.list()), actions_(actions), progress_delay_(progress_delay) {}

ViewerDialog::~ViewerDialog() {
  close();
  transfers_.reset();
  line_.reset();
  list_window_.reset();
  if (hwnd_) DestroyWindow(hwnd_);
  for (HICON icon : icons_) {
    if (icon) DestroyIcon(icon);
  }
}

bool ViewerDialog::create(const app::ViewerStartState& state,
                          const std::function<void(HWND)>& created) {
  state_ = &state;
  created_ = &created;
  keys_ = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDA_VIEWER));
  hwnd_ = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_VIEWER), nullptr,
                             Listage_Noemie_Dlg, reinterpret_cast<LPARAM>(this));
  state_ = nullptr;
  created_ = nullptr;
  return hwnd_ != nullptr;
}

INT_PTR CALLBACK ViewerDialog::Listage_Noemie_Dlg(HWND dialog, UINT message, WPARAM wparam,
                                                  LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lparam);
    reinterpret_cast<ViewerDialog*>(lparam)->initialise(dialog);
    // The list has the focus: the dialog manager must not give it to the first control.
    return FALSE;
  }
  auto* self = reinterpret_cast<ViewerDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
  return self ? self->handle(message, wparam, lparam) : FALSE;
}

void ViewerDialog::initialise(HWND dialog) {
  hwnd_ = dialog;
  if (*created_) (*created_)(dialog);
  icons_[0] = load_icon(IDI_VIEWER, SM_CXICON, dialog);
  icons_[1] = load_icon(IDI_VIEWER, SM_CXSMICON, dialog);
  SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons_[0]));
  SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons_[1]));
  SetWindowTextW(dialog, platform::win32::cp1252_to_wide(viewer_caption()).c_str());

  fill_ = std::make_unique<FillBusy>(dialog, GetDlgItem(dialog, IDC_PROGRESS), progress_delay_);
  fill_->set_hooks(
      [this] {
        // Shown during the opening fill as it will look once open.
        hide_unused_mask_boxes();
        place_at(opening_rect_);
        ShowWindow(hwnd_, SW_SHOW);
        UpdateWindow(hwnd_);
      },
      [this] { fill_over(); });
  measure_tool_frame();
  list_window_ =
      std::make_unique<ListWindow>(dialog, GetDlgItem(dialog, IDC_LIST), list_, actions_);
  line_ = std::make_unique<PracticeLine>(dialog, *list_window_, viewer_, [this] { return busy(); });
  list_window_->set_rows_shown_hook([this] { rows_shown(); });
  opening_rect_ =
      app::opening_rect(state_->stored_rect, monitor_rects(), primary_work_area(), smallest_size());
  app::run_opening_sequence(*this, actions_, *state_);
}

void ViewerDialog::check_kind_radio(int type_liste) {
  CheckRadioButton(hwnd_, IDC_KIND_ALL, IDC_KIND_OTHERS, IDC_KIND_ALL + type_liste);
}

void ViewerDialog::check_age_radio(int type_date) {
  static constexpr int kAgeRadios[] = {IDC_AGE_ALWAYS, IDC_AGE_MONTH, IDC_AGE_WEEK, IDC_AGE_TODAY};
  CheckRadioButton(hwnd_, IDC_AGE_ALWAYS, IDC_AGE_MONTH, kAgeRadios[type_date & 3]);
}

void ViewerDialog::check_kind_mask(int mask) {
  CheckDlgButton(hwnd_, IDC_MASK_RSP, (mask & 1) ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(hwnd_, IDC_MASK_HIDDEN, (mask & 2) ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(hwnd_, IDC_MASK_ARL, (mask & 4) ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(hwnd_, IDC_MASK_ARCHIVES, (mask & 8) ? BST_CHECKED : BST_UNCHECKED);
}

void ViewerDialog::check_abrege(bool on) {
  CheckDlgButton(hwnd_, IDC_ABREGE, on ? BST_CHECKED : BST_UNCHECKED);
}

void ViewerDialog::check_always_on_top(bool on) {
  CheckDlgButton(hwnd_, IDC_ALWAYS_ON_TOP, on ? BST_CHECKED : BST_UNCHECKED);
}

std::vector<app::WindowRect> ViewerDialog::screens() const {
  return monitor_rects();
}

app::WindowRect ViewerDialog::primary_available() const {
  return primary_work_area();
}

app::Size ViewerDialog::minimum_size() {
  return smallest_size();
}

void ViewerDialog::place_at(const app::WindowRect& outer) {
  SetWindowPos(hwnd_, nullptr, outer.x, outer.y, outer.width, outer.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  lay_out_now();
}

void ViewerDialog::attach_tooltips() {
  list_window_->attach_tooltips();
}

void ViewerDialog::hide_unused_mask_boxes() {
  ShowWindow(GetDlgItem(hwnd_, IDC_MASK_HIDDEN), SW_HIDE);
  ShowWindow(GetDlgItem(hwnd_, IDC_MASK_ARCHIVES), SW_HIDE);
  SetDlgItemTextW(hwnd_, IDC_MASK_ARL, L"");
}

void ViewerDialog::focus_list() {
  SetFocus(list_window_->control());
}

void ViewerDialog::measure_tool_frame() {
  RECT frame{};
  RECT window{};
  GetWindowRect(GetDlgItem(hwnd_, IDC_TOOL_FRAME), &frame);
  GetWindowRect(hwnd_, &window);
  tools_min_ = frame.right - frame.left;
  tools_height_ = frame.bottom - frame.top;
  header_size_ = frame.top - window.top;
  POINT client_origin{0, 0};
  ClientToScreen(hwnd_, &client_origin);
  RECT client{};
  GetClientRect(hwnd_, &client);
  const int margin = frame.left - client_origin.x;
  const int right_border = window.right - (client_origin.x + client.right);
  tools_outer_width_ = frame.right + margin + right_border - window.left;
  if (line_) line_->measure();
}

app::Size ViewerDialog::smallest_size() const {
  // The window cannot be smaller than the tool frame; nor so narrow that the controls in the
  // frame are cut off on the right. The find line and the status line add their height.
  app::Size minimum = app::minimum_window_size(tools_min_, tools_height_, header_size_);
  minimum.width = std::max(minimum.width, tools_outer_width_);
  if (line_) minimum.height += line_->height_around_list(scaled(kMargin, hwnd_));
  return minimum;
}

void ViewerDialog::lay_out(int client_width, int client_height) {
  if (!list_window_ || !line_) return;
  const int margin = scaled(kMargin, hwnd_);
  line_->lay_out(client_width, client_height, tools_height_ + 2 * margin, margin);
  fill_->lay_out(client_width, client_height, margin);
}

void ViewerDialog::lay_out_now() {
  RECT client{};
  GetClientRect(hwnd_, &client);
  lay_out(client.right, client.bottom);
}

bool ViewerDialog::checked(int id) const {
  return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED;
}

int ViewerDialog::kind_mask() const {
  return (checked(IDC_MASK_ARL) ? 4 : 0) + (checked(IDC_MASK_ARCHIVES) ? 8 : 0) +
         (checked(IDC_MASK_RSP) ? 1 : 0) + (checked(IDC_MASK_HIDDEN) ? 2 : 0);
}

bool ViewerDialog::busy() const {
  // A modal dialog (message box, chooser, error dialog) disables the window it belongs to.
  return menu_open_ || filling() || !IsWindowEnabled(hwnd_);
}

void ViewerDialog::show_export_menu() {
  HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDM_EXPORT));
  if (!menu) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  // The chosen entry comes back as a WM_COMMAND of the dialog.
  menu_open_ = true;
  TrackPopupMenu(GetSubMenu(menu, 0), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, cursor.x,
                 cursor.y + scaled(kMenuDrop, hwnd_), 0, hwnd_, nullptr);
  menu_open_ = false;
  DestroyMenu(menu);
}

void ViewerDialog::print_rows() {
  // The pages are laid out and dated now, from the rows shown.
  show_print_preview(
      hwnd_, print::list_document(viewer_, print::local_date(std::chrono::system_clock::now())));
}

void ViewerDialog::save_pdf() {
  Win32Dialogs dialogs;
  dialogs.set_owner(hwnd_);
  pdf_save_.run(viewer_, dialogs);
}

void ViewerDialog::open_transfers() {
  if (!transfers_) {
    transfers_ = std::make_unique<TransfersWindow>(hwnd_, viewer_, line_->wiring(),
                                                   [this] { return busy(); });
  }
  transfers_->open();
}

void ViewerDialog::rows_shown() {
  if (line_) line_->rows_changed();
  if (transfers_) transfers_->list_changed();
}

void ViewerDialog::command(int id, int notification) {
  if (list_window_) list_window_->pull_widths();
  if (line_ && line_->command(id, notification)) return;
  switch (id) {
    case IDC_ALWAYS_ON_TOP:
      SetWindowPos(hwnd_, checked(IDC_ALWAYS_ON_TOP) ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      break;
    case IDC_KIND_ALL:
    case IDC_KIND_PAYMENTS:
    case IDC_KIND_REJECTIONS:
    case IDC_KIND_OTHERS:
      actions_.kind_filter_chosen(id - IDC_KIND_ALL);
      break;
    case IDC_AGE_ALWAYS:
      actions_.age_filter_chosen(0);
      break;
    case IDC_AGE_MONTH:
      actions_.age_filter_chosen(1);
      break;
    case IDC_AGE_WEEK:
      actions_.age_filter_chosen(2);
      break;
    case IDC_AGE_TODAY:
      actions_.age_filter_chosen(3);
      break;
    case IDC_MASK_ARL:
    case IDC_MASK_ARCHIVES:
    case IDC_MASK_RSP:
    case IDC_MASK_HIDDEN:
      actions_.kind_mask_changed(kind_mask());
      break;
    case IDC_ABREGE:
      actions_.abrege_toggled(checked(IDC_ABREGE));
      break;
    case IDC_EXPORT:
      show_export_menu();
      break;
    case IDM_EXPORT_TEXT:
      actions_.export_chosen(0);
      break;
    case IDM_EXPORT_EXCEL:
      actions_.export_chosen(1);
      break;
    case IDM_EXPORT_HTML:
      actions_.export_chosen(2);
      break;
    case IDM_EXPORT_PDF:
      save_pdf();
      break;
    case IDC_PRINT:
      print_rows();
      break;
    case IDC_TRANSFERS:
      open_transfers();
      break;
    case IDC_MARK_DONE:
      actions_.mark_chosen(1);
      break;
    case IDC_MARK_NOT_DONE:
      actions_.mark_chosen(0);
      break;
    default:
      break;  // Enter (IDOK) does nothing; Escape (IDCANCEL) only clears the find field
  }
}

bool ViewerDialog::translate(MSG& message) {
  if (!hwnd_) return false;
  if (transfers_ && transfers_->translate(message)) return true;
  if (keys_ && (message.hwnd == hwnd_ || IsChild(hwnd_, message.hwnd)) &&
      TranslateAcceleratorW(hwnd_, keys_, &message)) {
    return true;
  }
  return IsDialogMessageW(hwnd_, &message) != FALSE;
}

INT_PTR ViewerDialog::answer(LRESULT result) {
  SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
  return TRUE;
}

INT_PTR ViewerDialog::handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      lay_out(LOWORD(lparam), HIWORD(lparam));
      return TRUE;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
      const app::Size minimum = smallest_size();
      info->ptMinTrackSize = POINT{minimum.width, minimum.height};
      return TRUE;
    }
    case WM_DPICHANGED: {
      take_suggested_rect(hwnd_, lparam);
      measure_tool_frame();
      if (list_window_) list_window_->update_scale();
      lay_out_now();
      return TRUE;
    }
    case WM_COMMAND:
      if (filling()) {
        // The engine is busy with a fill: the command waits for its end.
        const auto held = std::make_pair(wparam, lparam);
        if (std::find(held_commands_.begin(), held_commands_.end(), held) == held_commands_.end()) {
          held_commands_.push_back(held);
        }
        return TRUE;
      }
      command(LOWORD(wparam), HIWORD(wparam));
      return TRUE;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (list_window_ && list_window_->on_notify(*reinterpret_cast<NMHDR*>(lparam), result)) {
        return answer(result);
      }
      return FALSE;
    }
    case WM_TIMER:
      return line_ && line_->timer(wparam) ? TRUE : FALSE;
    case PracticeLine::kFolderChanged:
      if (line_) line_->folder_changed();
      return TRUE;
    case WM_SETCURSOR:
      if (fill_ && fill_->busy()) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return answer(TRUE);
      }
      return FALSE;
    case WM_ENTERMENULOOP:
      menu_open_ = true;
      return TRUE;
    case WM_EXITMENULOOP:
      menu_open_ = false;
      return TRUE;
    case WM_QUERYENDSESSION:
      return answer(TRUE);
    case WM_ENDSESSION:
      // The process may end as soon as this returns: what the close would save is saved now.
      if (wparam && !closed_) {
        if (list_window_) list_window_->pull_widths();
        actions_.session_ending(closing_rect());
        if (transfers_) transfers_->session_ending();
      }
      return answer(0);
    case WM_CLOSE:
      if (filling()) {
        close_held_ = true;
        return TRUE;
      }
      run_close_sequence();
      return TRUE;
    default:
      return FALSE;
  }
}

void ViewerDialog::fill_over() {
  // Posted: they run once the engine is out of its fill.
  for (const auto& [wparam, lparam] : held_commands_)
    PostMessageW(hwnd_, WM_COMMAND, wparam, lparam);
  held_commands_.clear();
  if (close_held_) {
    close_held_ = false;
    PostMessageW(hwnd_, WM_CLOSE, 0, 0);
  }
}

app::WindowRect ViewerDialog::closing_rect() const {
  RECT r{};
  GetWindowRect(hwnd_, &r);
  const app::WindowRect frame{r.left, r.top, r.right - r.left, r.bottom - r.top};
  app::WindowRect restored;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (GetWindowPlacement(hwnd_, &placement)) {
    // The restored rectangle is in work-area coordinates: move it to screen coordinates.
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &info);
    const RECT& n = placement.rcNormalPosition;
    restored = {n.left + info.rcWork.left - info.rcMonitor.left,
                n.top + info.rcWork.top - info.rcMonitor.top, n.right - n.left, n.bottom - n.top};
  }
  const bool normal = !IsZoomed(hwnd_) && !IsIconic(hwnd_);
  return app::closing_rect(normal, frame, restored);
}

void ViewerDialog::run_close_sequence() {
  if (closed_ || !hwnd_) return;
  closed_ = true;
  // The transfers window goes first: it no longer follows the list, which the close releases.
  if (transfers_) transfers_->viewer_closing();
  if (line_) line_->stop();
  list_window_->detach_tooltips();
  list_window_->pull_widths();
  actions_.window_closing(closing_rect());
  ShowWindow(hwnd_, SW_HIDE);
}

void ViewerDialog::close() {
  if (hwnd_ && !closed_) SendMessageW(hwnd_, WM_CLOSE, 0, 0);
}

}  // namespace noemie::win32
