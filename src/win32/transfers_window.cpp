#include "win32/transfers_window.h"

#include <algorithm>
#include <utility>

#include "app/window_texts.h"
#include "core/platform/win32/wide_text.h"
#include "win32/control_tips.h"
#include "win32/dpi.h"
#include "win32/print_preview.h"
#include "win32/resource_ids.h"

namespace noemie::win32 {
namespace {

using platform::win32::cp1252_to_wide;

// The text colour of a transfer whose announced total and Total differ.
constexpr COLORREF kGapColour = RGB(192, 0, 0);
// Check box pictures in the list's state image list: 1 unticked, 2 ticked.
constexpr UINT kUnticked = 1;
constexpr UINT kTicked = 2;

RECT client_rect_of(HWND control, HWND dialog) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void insert_column(HWND list, int index, const char* title, int width, viewer::Align align) {
  std::wstring text = cp1252_to_wide(title);
  LVCOLUMNW lvc{};
  lvc.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH | LVCF_SUBITEM;
  // The first column of a report view is always drawn from the left.
  lvc.fmt = align == viewer::Align::Right && index > 0 ? LVCFMT_RIGHT : LVCFMT_LEFT;
  lvc.cx = scaled(width, list);
  lvc.pszText = text.data();
  lvc.iSubItem = index;
  ListView_InsertColumn(list, index, &lvc);
}

// The text asked for in `item`, cut to its buffer; nothing when none is asked for.
void give_text(LVITEMW& item, std::wstring& kept, const std::string& cp1252) {
  if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
  kept = cp1252_to_wide(cp1252);
  lstrcpynW(item.pszText, kept.c_str(), item.cchTextMax);
}

}  // namespace

TransfersWindow::TransfersWindow(HWND viewer_dialog, viewer::Viewer& viewer,
                                 app::PracticeWiring& practice, std::function<bool()> viewer_busy)
    : viewer_dialog_(viewer_dialog),
      viewer_busy_(std::move(viewer_busy)),
      wiring_(viewer, dialogs_, practice) {}

TransfersWindow::~TransfersWindow() {
  close();
}

INT_PTR CALLBACK TransfersWindow::dialog_proc(HWND dialog, UINT message, WPARAM wparam,
                                              LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lparam);
    auto* self = reinterpret_cast<TransfersWindow*>(lparam);
    self->hwnd_ = dialog;
    self->list_ = GetDlgItem(dialog, IDC_TR_LIST);
    self->status_ = GetDlgItem(dialog, IDC_TR_STATUS);
    self->unmatched_label_ = GetDlgItem(dialog, IDC_TR_UNMATCHED_LABEL);
    self->unmatched_ = GetDlgItem(dialog, IDC_TR_UNMATCHED);
    self->dialogs_.set_owner(dialog);
    ListView_SetExtendedListViewStyle(
        self->list_, LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES | LVS_EX_DOUBLEBUFFER);
    // The check boxes' pictures are asked for with the texts: the model holds the ticks.
    ListView_SetCallbackMask(self->list_, LVIS_STATEIMAGEMASK);
    ListView_SetExtendedListViewStyle(self->unmatched_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    self->tips_ =
        add_control_tips(dialog, {{GetDlgItem(dialog, IDC_TR_EXPORT), app::kTransfersExportTip},
                                  {GetDlgItem(dialog, IDC_TR_PRINT), app::kTransfersPrintTip},
                                  {GetDlgItem(dialog, IDC_TR_STATEMENT), app::kStatementTip}});
    return TRUE;
  }
  auto* self = reinterpret_cast<TransfersWindow*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (message == WM_NCDESTROY) SetWindowLongPtrW(dialog, DWLP_USER, 0);
  return self && self->hwnd_ == dialog ? self->handle(message, wparam, lparam) : FALSE;
}

INT_PTR TransfersWindow::answer(LRESULT result) {
  SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
  return TRUE;
}

void TransfersWindow::open() {
  if (!hwnd_) {
    if (acting_ || viewer_busy_()) return;
    CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_TRANSFERS), viewer_dialog_,
                       dialog_proc, reinterpret_cast<LPARAM>(this));
    if (!hwnd_) return;
    if (placed_) {
      SetWindowPos(hwnd_, nullptr, place_.left, place_.top, place_.right - place_.left,
                   place_.bottom - place_.top, SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
      centre_over_viewer();
    }
    ShowWindow(hwnd_, SW_SHOW);
    act([this] { wiring_.opened(*this); });
  }
  SetActiveWindow(hwnd_);
  SetFocus(list_);
}

void TransfersWindow::centre_over_viewer() {
  RECT viewer{};
  RECT own{};
  GetWindowRect(viewer_dialog_, &viewer);
  GetWindowRect(hwnd_, &own);
  const LONG width = own.right - own.left;
  const LONG height = own.bottom - own.top;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(viewer_dialog_, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  // Within the viewer's monitor, its title bar first when the window is larger.
  const LONG x =
      std::max(work.left, std::min((viewer.left + viewer.right - width) / 2, work.right - width));
  const LONG y =
      std::max(work.top, std::min((viewer.top + viewer.bottom - height) / 2, work.bottom - height));
  SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TransfersWindow::close() {
  wiring_.closed();
  if (!hwnd_) return;
  // Destroyed rather than hidden (it is made again, where it was, when it opens): a window
  // hidden waits for the window manager on some systems, destroyed it does not.
  placed_ = GetWindowRect(hwnd_, &place_) != FALSE;
  const HWND dialog = std::exchange(hwnd_, nullptr);
  list_ = status_ = unmatched_label_ = unmatched_ = nullptr;
  columns_made_ = 0;
  if (tips_) DestroyWindow(std::exchange(tips_, nullptr));
  DestroyWindow(dialog);
}

void TransfersWindow::viewer_closing() {
  close();
  wiring_.viewer_closing();
}

bool TransfersWindow::translate(MSG& message) {
  if (!hwnd_) return false;
  if (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd)) return false;
  return IsDialogMessageW(hwnd_, &message) != FALSE;
}

void TransfersWindow::act(const std::function<void()>& action) {
  if (acting_ || viewer_busy_()) return;
  acting_ = true;
  // The viewer waits meanwhile: no fill under a message box, a chooser or the preview.
  const bool viewer_enabled = IsWindowEnabled(viewer_dialog_) != FALSE;
  EnableWindow(viewer_dialog_, FALSE);
  action();
  if (viewer_enabled) EnableWindow(viewer_dialog_, TRUE);
  acting_ = false;
}

void TransfersWindow::make_columns() {
  const viewer::TransfersModel& model = wiring_.model();
  for (const HWND list : {list_, unmatched_}) {
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    while (ListView_DeleteColumn(list, 0)) {
    }
  }
  for (columns_made_ = 0; columns_made_ < model.column_count(); ++columns_made_) {
    insert_column(list_, columns_made_, std::string(model.column_title(columns_made_)).c_str(),
                  model.column_width(columns_made_), model.column_align(columns_made_));
  }
  for (int c = 0; c < app::kCreditColumnCount; ++c) {
    const app::CreditColumn& column = app::kCreditColumns[c];
    insert_column(unmatched_, c, column.title, column.width, column.align);
  }
  for (const HWND list : {list_, unmatched_}) SendMessageW(list, WM_SETREDRAW, TRUE, 0);
}

void TransfersWindow::show_table() {
  const viewer::TransfersModel& model = wiring_.model();
  if (columns_made_ != model.column_count()) make_columns();
  ListView_SetItemCountEx(list_, model.row_count(), LVSICF_NOSCROLL);
  InvalidateRect(list_, nullptr, FALSE);
  SetWindowTextW(status_, cp1252_to_wide(model.status_text()).c_str());
  const int credits = static_cast<int>(wiring_.unmatched().size());
  ListView_SetItemCountEx(unmatched_, credits, LVSICF_NOSCROLL);
  InvalidateRect(unmatched_, nullptr, FALSE);
  ShowWindow(unmatched_label_, credits > 0 ? SW_SHOW : SW_HIDE);
  ShowWindow(unmatched_, credits > 0 ? SW_SHOW : SW_HIDE);
  lay_out();
}

void TransfersWindow::preview(const print::Document& document) {
  show_print_preview(hwnd_, document);
}

void TransfersWindow::lay_out() {
  RECT client{};
  GetClientRect(hwnd_, &client);
  const RECT button = client_rect_of(GetDlgItem(hwnd_, IDC_TR_EXPORT), hwnd_);
  const int margin = button.left;
  const int width = std::max(0, static_cast<int>(client.right) - 2 * margin);
  const RECT status = client_rect_of(status_, hwnd_);
  const int line = status.bottom - status.top;
  int bottom = static_cast<int>(client.bottom) - margin;
  if (IsWindowVisible(unmatched_)) {
    const int credits_height = std::max(3 * line, (bottom - static_cast<int>(button.bottom)) / 4);
    MoveWindow(unmatched_, margin, bottom - credits_height, width, credits_height, TRUE);
    bottom -= credits_height + margin / 2 + line;
    MoveWindow(unmatched_label_, margin, bottom, width, line, TRUE);
    bottom -= margin;
  }
  MoveWindow(status_, margin, bottom - line, width, line, TRUE);
  bottom -= line + margin / 2;
  const int top = static_cast<int>(button.bottom) + margin;
  MoveWindow(list_, margin, top, width, std::max(0, bottom - top), TRUE);
}

void TransfersWindow::show_export_menu() {
  HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDM_EXPORT));
  if (!menu) return;
  RECT button{};
  GetWindowRect(GetDlgItem(hwnd_, IDC_TR_EXPORT), &button);
  // The chosen entry comes back as a WM_COMMAND of the window.
  TrackPopupMenu(GetSubMenu(menu, 0), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, button.left,
                 button.bottom, 0, hwnd_, nullptr);
  DestroyMenu(menu);
}

void TransfersWindow::command(int id) {
  switch (id) {
    case IDCANCEL:
      close();
      break;
    case IDOK:
      // Enter: in the table it narrows the viewer's list to the line that has the focus.
      if (GetFocus() == list_) {
        const int row = ListView_GetNextItem(list_, -1, LVNI_FOCUSED);
        act([this, row] { wiring_.line_activated(row); });
      }
      break;
    case IDC_TR_EXPORT:
      if (!viewer_busy_()) show_export_menu();
      break;
    case IDM_EXPORT_TEXT:
      act([this] { wiring_.export_chosen(0); });
      break;
    case IDM_EXPORT_EXCEL:
      act([this] { wiring_.export_chosen(1); });
      break;
    case IDM_EXPORT_HTML:
      act([this] { wiring_.export_chosen(2); });
      break;
    case IDM_EXPORT_PDF:
      act([this] { wiring_.export_chosen(3); });
      break;
    case IDC_TR_PRINT:
      act([this] { wiring_.print(); });
      break;
    case IDC_TR_STATEMENT:
      act([this] { wiring_.statement_asked(); });
      break;
    default:
      break;
  }
}

void TransfersWindow::display_info(NMLVDISPINFOW& info) {
  LVITEMW& item = info.item;
  if (info.hdr.hwndFrom == unmatched_) {
    const auto& credits = wiring_.unmatched();
    const bool inside = item.iItem >= 0 && item.iItem < static_cast<int>(credits.size());
    give_text(item, cell_text_,
              inside
                  ? app::credit_cell(credits[static_cast<std::size_t>(item.iItem)], item.iSubItem)
                  : std::string());
    return;
  }
  const viewer::TransfersModel& model = wiring_.model();
  // The check column shows its box only; the other cells their texts.
  give_text(item, cell_text_,
            item.iSubItem == 0 ? std::string() : model.cell(item.iItem, item.iSubItem));
  if (item.mask & LVIF_STATE) {
    const bool ticked =
        item.iItem >= 0 && item.iItem < model.row_count() && model.ticked(item.iItem);
    item.state =
        (item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(ticked ? kTicked : kUnticked);
    item.stateMask |= LVIS_STATEIMAGEMASK;
  }
}

LRESULT TransfersWindow::custom_draw(NMLVCUSTOMDRAW& draw) const {
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
      const int row = static_cast<int>(draw.nmcd.dwItemSpec);
      if (row >= 0 && row < wiring_.model().row_count() && wiring_.model().red(row)) {
        draw.clrText = kGapColour;
        return CDRF_NEWFONT;
      }
      return CDRF_DODEFAULT;
    }
    default:
      return CDRF_DODEFAULT;
  }
}

bool TransfersWindow::notify(const NMHDR& header, LRESULT& result) {
  if (header.hwndFrom != list_ && header.hwndFrom != unmatched_) return false;
  NMHDR* raw = const_cast<NMHDR*>(&header);
  switch (header.code) {
    case LVN_GETDISPINFOW:
      display_info(*reinterpret_cast<NMLVDISPINFOW*>(raw));
      return true;
    case LVN_ODFINDITEMW:
      result = -1;  // typing does not jump to a line
      return true;
    default:
      break;
  }
  if (header.hwndFrom != list_) return false;
  switch (header.code) {
    case NM_CUSTOMDRAW:
      result = custom_draw(*reinterpret_cast<NMLVCUSTOMDRAW*>(raw));
      return true;
    case LVN_COLUMNCLICK: {
      const int column = reinterpret_cast<const NMLISTVIEW*>(raw)->iSubItem;
      act([this, column] { wiring_.title_clicked(column); });
      return true;
    }
    case NM_CLICK:
    case NM_DBLCLK: {
      LVHITTESTINFO hit{};
      hit.pt = reinterpret_cast<const NMITEMACTIVATE*>(raw)->ptAction;
      ListView_SubItemHitTest(list_, &hit);
      if (hit.iItem < 0) return true;
      const int row = hit.iItem;
      // Each click on a check box turns it over, the second one of a double-click too.
      if (hit.flags & LVHT_ONITEMSTATEICON) {
        act([this, row] { wiring_.tick_toggled(row); });
      } else if (header.code == NM_DBLCLK) {
        act([this, row] { wiring_.line_activated(row); });
      }
      return true;
    }
    case LVN_KEYDOWN:
      if (reinterpret_cast<const NMLVKEYDOWN*>(raw)->wVKey == VK_SPACE) {
        const int row = ListView_GetNextItem(list_, -1, LVNI_FOCUSED);
        act([this, row] { wiring_.tick_toggled(row); });
      }
      return true;
    default:
      return false;
  }
}

INT_PTR TransfersWindow::handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      lay_out();
      return TRUE;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
      info->ptMinTrackSize = POINT{scaled(420, hwnd_), scaled(240, hwnd_)};
      return TRUE;
    }
    case WM_DPICHANGED: {
      take_suggested_rect(hwnd_, lparam);
      columns_made_ = 0;
      show_table();
      return TRUE;
    }
    case WM_COMMAND:
      command(LOWORD(wparam));
      return TRUE;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (notify(*reinterpret_cast<NMHDR*>(lparam), result)) return answer(result);
      return FALSE;
    }
    case WM_CLOSE:
      close();
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace noemie::win32
