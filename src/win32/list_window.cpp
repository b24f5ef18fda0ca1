#include "win32/list_window.h"

// After windows.h (included above), which it builds on:
#include <windowsx.h>

#include <vector>

#include "app/window_texts.h"
#include "core/platform/win32/wide_text.h"
#include "win32/dpi.h"
#include "win32/resource_ids.h"

namespace noemie::win32 {
namespace {

using app::kTipMaxWidth;
using platform::win32::cp1252_to_wide;

// Width in pixels of the digits 0 to 9 in the font of `window`.
double digits_width(HWND window) {
  HDC dc = GetDC(window);
  const auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  const HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
  SIZE size{};
  GetTextExtentPoint32W(dc, L"0123456789", 10, &size);
  if (old) SelectObject(dc, old);
  ReleaseDC(window, dc);
  return size.cx;
}

}  // namespace

ListWindow::ListWindow(HWND dialog, HWND control, viewer::ListControl& list,
                       app::ViewerActions& actions)
    : dialog_(dialog), control_(control), list_(list), actions_(actions) {
  ListView_SetExtendedListViewStyle(
      control_, LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES | LVS_EX_DOUBLEBUFFER);
  list_.set_observer(this);
  update_scale();
  reset();
}

ListWindow::~ListWindow() {
  list_.set_observer(nullptr);
  detach_tooltips();
  if (IsWindow(control_)) ListView_SetImageList(control_, nullptr, LVSIL_SMALL);
  if (images_) ImageList_Destroy(images_);
}

void ListWindow::update_scale() {
  scale_.set_factor(app::ColumnScale::factor_for(digits_width(control_)));
  load_images();
  apply_widths();
  if (tooltip_) {
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, scaled(kTipMaxWidth, control_));
  }
}

void ListWindow::load_images() {
  // The strip drawn nearest to the size the DPI asks for, never scaled up.
  const int wanted = scaled(16, control_);
  const int size = wanted >= 32 ? 32 : wanted >= 24 ? 24 : 16;
  const int id = size == 32 ? IDB_STRIP_32 : size == 24 ? IDB_STRIP_24 : IDB_STRIP_16;
  HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR32, 18, 0);
  auto strip = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                               IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (images && strip) ImageList_Add(images, strip, nullptr);
  if (strip) DeleteObject(strip);
  ListView_SetImageList(control_, images, LVSIL_SMALL);
  if (images_) ImageList_Destroy(images_);
  images_ = images;
}

void ListWindow::make_columns() {
  for (; columns_made_ < list_.column_count(); ++columns_made_) {
    const viewer::ListColumn& column = *list_.column(columns_made_);
    std::wstring title = cp1252_to_wide(column.title);
    LVCOLUMNW lvc{};
    lvc.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH | LVCF_SUBITEM;
    lvc.fmt = column.align == viewer::Align::Right ? LVCFMT_RIGHT : LVCFMT_LEFT;
    lvc.cx = scale_.to_view(columns_made_, column.width);
    lvc.pszText = title.data();
    lvc.iSubItem = columns_made_;
    ListView_InsertColumn(control_, columns_made_, &lvc);
  }
}

void ListWindow::apply_widths() {
  for (int c = 0; c < columns_made_; ++c) column_width_changed(c);
}

void ListWindow::pull_widths() {
  for (int c = 0; c < columns_made_; ++c) {
    const int view = ListView_GetColumnWidth(control_, c);
    if (view != scale_.to_view(c, list_.column_width(c))) {
      list_.note_column_width(c, scale_.from_view(c, view));
    }
  }
}

void ListWindow::show_rows() {
  make_columns();
  ListView_SetItemCountEx(control_, list_.row_count(), LVSICF_NOSCROLL);
  push_selection();
  InvalidateRect(control_, nullptr, FALSE);
  UpdateWindow(control_);
}

void ListWindow::reset() {
  resetting_ = false;
  show_rows();
  if (rows_shown_) rows_shown_();
}

void ListWindow::row_changed(int row) {
  if (!resetting_) ListView_RedrawItems(control_, row, row);
}

void ListWindow::column_width_changed(int column) {
  if (column >= columns_made_) return;
  ListView_SetColumnWidth(control_, column, scale_.to_view(column, list_.column_width(column)));
}

void ListWindow::push_selection() {
  pushing_selection_ = true;
  ListView_SetItemState(control_, -1, 0, LVIS_SELECTED);
  for (int row = 0; row < list_.row_count(); ++row) {
    if (list_.selected(row)) ListView_SetItemState(control_, row, LVIS_SELECTED, LVIS_SELECTED);
  }
  pushing_selection_ = false;
}

void ListWindow::note_selection(int first, int last, bool selected) {
  if (pushing_selection_) return;
  if (first < 0) {
    list_.select_all(selected);
    return;
  }
  for (int row = first; row <= last && row < list_.row_count(); ++row) {
    list_.set_selected(row, selected);
  }
}

void ListWindow::display_info(NMLVDISPINFOW& info) {
  LVITEMW& item = info.item;
  const int row = item.iItem;
  const int column = item.iSubItem;
  // During a fill the control may still count the rows of the last one.
  if (row < 0 || row >= list_.row_count()) {
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) item.pszText[0] = L'\0';
    if (item.mask & LVIF_IMAGE) item.iImage = I_IMAGENONE;
    return;
  }
  if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
    // The control reads at most cchTextMax - 1 characters of a cell, as the original list.
    cell_text_ = cp1252_to_wide(list_.cell(row, column));
    lstrcpynW(item.pszText, cell_text_.c_str(), item.cchTextMax);
  }
  if (item.mask & LVIF_IMAGE) {
    const int icon = list_.icon(row, column);
    item.iImage = icon == viewer::kNoIcon ? I_IMAGENONE : icon;
  }
}

int ListWindow::x_in_row(int row, int client_x) const {
  RECT bounds{};
  bounds.left = LVIR_BOUNDS;
  if (!SendMessageW(control_, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                    reinterpret_cast<LPARAM>(&bounds))) {
    bounds.left = -GetScrollPos(control_, SB_HORZ);
  }
  std::vector<int> view_widths;
  std::vector<int> core_widths;
  for (int c = 0; c < columns_made_; ++c) {
    view_widths.push_back(ListView_GetColumnWidth(control_, c));
    core_widths.push_back(list_.column_width(c));
  }
  return app::ColumnScale::x_to_core(client_x - bounds.left, view_widths, core_widths);
}

bool ListWindow::on_notify(const NMHDR& header, LRESULT& result) {
  if (tooltip_ && header.hwndFrom == tooltip_ && header.code == TTN_GETDISPINFOW) {
    tooltip_text(*reinterpret_cast<NMTTDISPINFOW*>(const_cast<NMHDR*>(&header)));
    return true;
  }
  if (header.hwndFrom != control_) return false;
  NMHDR* raw = const_cast<NMHDR*>(&header);
  switch (header.code) {
    case LVN_GETDISPINFOW:
      display_info(*reinterpret_cast<NMLVDISPINFOW*>(raw));
      return true;
    case LVN_ODFINDITEMW:
      result = -1;  // typing does not jump to a row
      return true;
    case LVN_BEGINLABELEDITW:
      result = TRUE;  // a cell text is what the fill made: it is never edited
      return true;
    case LVN_ITEMCHANGED: {
      const auto& change = *reinterpret_cast<const NMLISTVIEW*>(raw);
      if ((change.uChanged & LVIF_STATE) &&
          ((change.uNewState ^ change.uOldState) & LVIS_SELECTED)) {
        note_selection(change.iItem, change.iItem, (change.uNewState & LVIS_SELECTED) != 0);
      }
      return true;
    }
    case LVN_ODSTATECHANGED: {
      const auto& change = *reinterpret_cast<const NMLVODSTATECHANGE*>(raw);
      if ((change.uNewState ^ change.uOldState) & LVIS_SELECTED) {
        note_selection(change.iFrom, change.iTo, (change.uNewState & LVIS_SELECTED) != 0);
      }
      return true;
    }
    case LVN_COLUMNCLICK:
      pull_widths();
      actions_.header_clicked(reinterpret_cast<const NMLISTVIEW*>(raw)->iSubItem);
      return true;
    case NM_DBLCLK: {
      const POINT point = reinterpret_cast<const NMITEMACTIVATE*>(raw)->ptAction;
      LVHITTESTINFO hit{};
      hit.pt = point;
      ListView_SubItemHitTest(control_, &hit);
      if (hit.iItem < 0) return true;
      pull_widths();
      actions_.cell_double_clicked(hit.iItem, x_in_row(hit.iItem, point.x));
      return true;
    }
    default:
      return false;
  }
}

void ListWindow::attach_tooltips() {
  if (tooltip_) return;
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_ALWAYSTIP | TTS_BALLOON | TTS_NOPREFIX, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog_, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  if (!tooltip_) return;
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = dialog_;
  tool.uId = reinterpret_cast<UINT_PTR>(control_);
  tool.lpszText = LPSTR_TEXTCALLBACKW;
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  tip_delay_ = static_cast<int>(SendMessageW(tooltip_, TTM_GETDELAYTIME, TTDT_INITIAL, 0));
  SetWindowSubclass(control_, list_proc, 1, reinterpret_cast<DWORD_PTR>(this));
  rearm_.reset();
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, scaled(kTipMaxWidth, control_));
}

void ListWindow::detach_tooltips() {
  if (!tooltip_) return;
  if (IsWindow(control_)) RemoveWindowSubclass(control_, list_proc, 1);
  DestroyWindow(tooltip_);
  tooltip_ = nullptr;
  rearm_.reset();
}

LRESULT CALLBACK ListWindow::list_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                       UINT_PTR /*id*/, DWORD_PTR self) {
  if (message == WM_MOUSEMOVE) {
    reinterpret_cast<ListWindow*>(self)->pointer_moved(
        POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
  }
  return DefSubclassProc(hwnd, message, wparam, lparam);
}

void ListWindow::pointer_moved(POINT point) {
  pointer_ = point;
  if (!tooltip_) return;
  switch (rearm_.pointer_moved(point.x, point.y)) {
    case app::TooltipRearm::Move::InTipCell:
      SendMessageW(tooltip_, TTM_SETDELAYTIME, TTDT_INITIAL, tip_delay_);
      break;
    case app::TooltipRearm::Move::LeftCell:
      // Hidden now; the tooltip control's own timer, shortened, brings the next cell's tip.
      SendMessageW(tooltip_, TTM_ACTIVATE, FALSE, 0);
      SendMessageW(tooltip_, TTM_ACTIVATE, TRUE, 0);
      SendMessageW(tooltip_, TTM_SETDELAYTIME, TTDT_INITIAL, app::kQuickTipDelayMs);
      break;
    case app::TooltipRearm::Move::Nothing:
    case app::TooltipRearm::Move::Resting:
      break;
  }
}

void ListWindow::tooltip_text(NMTTDISPINFOW& info) {
  tip_text_.clear();
  LVHITTESTINFO hit{};
  hit.pt = pointer_;
  ListView_SubItemHitTest(control_, &hit);
  if (hit.iItem >= 0 && hit.iSubItem >= 0) {
    RECT bounds{};
    ListView_GetItemRect(control_, hit.iItem, &bounds, LVIR_BOUNDS);
    int left = bounds.left;
    for (int c = 0; c < hit.iSubItem; ++c) left += ListView_GetColumnWidth(control_, c);
    rearm_.tip_shown(
        {left, bounds.top, left + ListView_GetColumnWidth(control_, hit.iSubItem), bounds.bottom});
    pull_widths();
    tip_text_ = cp1252_to_wide(actions_.tooltip_text(hit.iItem, x_in_row(hit.iItem, pointer_.x)));
  }
  info.lpszText = tip_text_.data();
  info.hinst = nullptr;
}

}  // namespace noemie::win32
