#include "win32/practice_line.h"

// After windows.h (included above), which it builds on:
#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "app/window_texts.h"
#include "core/platform/win32/wide_text.h"
#include "core/viewer/viewer.h"
#include "win32/control_tips.h"
#include "win32/list_window.h"
#include "win32/resource_ids.h"

namespace noemie::win32 {
namespace {

using platform::win32::cp1252_to_wide;
using platform::win32::wide_to_cp1252;

constexpr UINT_PTR kLookTimer = 0x4E01;
constexpr UINT_PTR kPollTimer = 0x4E02;

SIZE window_size(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {r.right - r.left, r.bottom - r.top};
}

// The width of `window`'s text in its font, "&" prefixes left out.
int text_width(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
  HDC dc = GetDC(window);
  const auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  const HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  if (old) SelectObject(dc, old);
  ReleaseDC(window, dc);
  return size.cx;
}

}  // namespace

PracticeLine::PracticeLine(HWND dialog, ListWindow& list, viewer::Viewer& viewer,
                           std::function<bool()> busy)
    : dialog_(dialog),
      list_(list),
      busy_(std::move(busy)),
      label_(GetDlgItem(dialog, IDC_FIND_LABEL)),
      find_(GetDlgItem(dialog, IDC_FIND)),
      refresh_(GetDlgItem(dialog, IDC_REFRESH)),
      print_(GetDlgItem(dialog, IDC_PRINT)),
      transfers_(GetDlgItem(dialog, IDC_TRANSFERS)),
      summary_(GetDlgItem(dialog, IDC_SUMMARY)),
      wiring_(viewer, *this) {
  measure();
  tips_ = add_control_tips(dialog_, {{find_, app::kFindTip},
                                     {refresh_, app::kRefreshTip},
                                     {print_, app::kPrintTip},
                                     {transfers_, app::kTransfersTip}});
  wiring_.update_summary();
  notice_ = std::make_unique<FolderNotice>(viewer.options().folder, dialog_, kFolderChanged);
  SetTimer(dialog_, kPollTimer, app::kPollMs, nullptr);
}

PracticeLine::~PracticeLine() {
  stop();
}

void PracticeLine::stop() {
  wiring_.stop();
  notice_.reset();
  if (tips_) {
    DestroyWindow(tips_);
    tips_ = nullptr;
  }
  if (IsWindow(dialog_)) {
    KillTimer(dialog_, kPollTimer);
    KillTimer(dialog_, kLookTimer);
  }
  look_timer_on_ = false;
}

void PracticeLine::measure() {
  label_size_ = window_size(label_);
  label_size_.cx = std::max<LONG>(label_size_.cx, text_width(label_) + 2);
  button_size_ = window_size(refresh_);
  button_size_.cx = std::max<LONG>({button_size_.cx, text_width(refresh_) + button_size_.cy,
                                    text_width(print_) + button_size_.cy,
                                    text_width(transfers_) + button_size_.cy});
  field_height_ = std::max<LONG>(window_size(find_).cy, button_size_.cy);
  summary_height_ = window_size(summary_).cy;
}

int PracticeLine::height_around_list(int margin) const {
  return field_height_ + margin + summary_height_ + margin;
}

void PracticeLine::lay_out(int client_width, int client_height, int top, int margin) {
  const int line = field_height_;
  const int buttons_left = client_width - margin - 3 * button_size_.cx - 2 * margin;
  const int field_left = margin + label_size_.cx + margin;
  const int field_width = std::max(0, buttons_left - margin - field_left);
  const int edit_height = window_size(find_).cy;
  MoveWindow(label_, margin, top + (line - label_size_.cy) / 2, label_size_.cx, label_size_.cy,
             TRUE);
  MoveWindow(find_, field_left, top + (line - edit_height) / 2, field_width, edit_height, TRUE);
  MoveWindow(refresh_, buttons_left, top + (line - button_size_.cy) / 2, button_size_.cx,
             button_size_.cy, TRUE);
  const int button_top = top + (line - button_size_.cy) / 2;
  MoveWindow(print_, buttons_left + button_size_.cx + margin, button_top, button_size_.cx,
             button_size_.cy, TRUE);
  MoveWindow(transfers_, buttons_left + 2 * (button_size_.cx + margin), button_top, button_size_.cx,
             button_size_.cy, TRUE);
  const int list_top = top + line + margin;
  const int summary_top = client_height - summary_height_ - margin / 2;
  MoveWindow(list_.control(), margin, list_top, client_width - 2 * margin,
             std::max(0, summary_top - margin / 2 - list_top), TRUE);
  MoveWindow(summary_, margin, summary_top, client_width - 2 * margin, summary_height_, TRUE);
}

bool PracticeLine::command(int id, int notification) {
  switch (id) {
    case IDC_FIND:
      if (notification == EN_CHANGE) {
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(find_)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(
            GetWindowTextW(find_, text.data(), static_cast<int>(text.size()))));
        wiring_.find_text_changed(wide_to_cp1252(text));
      }
      return true;
    case IDC_REFRESH:
      wiring_.refresh(false);
      return true;
    case IDK_FIND:
      SetFocus(find_);
      SendMessageW(find_, EM_SETSEL, 0, -1);
      return true;
    case IDK_SELECT_ALL:
      if (GetFocus() == find_) {
        SendMessageW(find_, EM_SETSEL, 0, -1);
      } else {
        select_all();
      }
      return true;
    case IDCANCEL:
      // Escape: in the find field it clears the field; elsewhere it does nothing.
      if (GetFocus() == find_) SetWindowTextW(find_, L"");
      return true;
    default:
      return false;
  }
}

void PracticeLine::select_all() {
  ListView_SetItemState(list_.control(), -1, LVIS_SELECTED, LVIS_SELECTED);
}

bool PracticeLine::timer(UINT_PTR id) {
  if (id == kLookTimer) {
    KillTimer(dialog_, kLookTimer);
    look_timer_on_ = false;
    wiring_.look_due();
    return true;
  }
  if (id == kPollTimer) {
    wiring_.poll_due();
    return true;
  }
  return false;
}

void PracticeLine::start_look_timer(int ms) {
  look_timer_on_ = SetTimer(dialog_, kLookTimer, static_cast<UINT>(ms), nullptr) != 0;
}

int PracticeLine::top_row() const {
  return std::max(0, ListView_GetTopIndex(list_.control()));
}

void PracticeLine::show_top_row(int row) {
  const HWND control = list_.control();
  const int count = ListView_GetItemCount(control);
  if (row < 0 || row >= count) return;
  RECT wanted{};
  RECT top{};
  wanted.left = top.left = LVIR_BOUNDS;
  if (!ListView_GetItemRect(control, row, &wanted, LVIR_BOUNDS) ||
      !ListView_GetItemRect(control, ListView_GetTopIndex(control), &top, LVIR_BOUNDS)) {
    return;
  }
  ListView_Scroll(control, 0, wanted.top - top.top);
}

void PracticeLine::show_summary(const std::string& text) {
  SetWindowTextW(summary_, cp1252_to_wide(text).c_str());
}

void PracticeLine::show_find_text(const std::string& text) {
  SetWindowTextW(find_, cp1252_to_wide(text).c_str());
}

}  // namespace noemie::win32
