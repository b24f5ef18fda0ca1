#pragma once
// The Windows viewer dialog over the real engine on a temporary folder of four returns, as
// the window tests drive it: its controls, the cells and icons the list control shows, clicks,
// double-clicks, header clicks and the tooltip of a cell.

#include <windows.h>
// After windows.h, which it builds on:
#include <commctrl.h>

#include <chrono>
#include <functional>
#include <string>

#include "core/platform/win32/wide_text.h"
#include "program_fixture.h"
#include "win32/resource_ids.h"
#include "win32/win32_front.h"

namespace noemie::testing {

struct WindowFixture : ProgramFixture {
  win32::Win32Front front;

  WindowFixture() {
    // 42 payment (2 days old, two lines), 43 rejection (10 days), 45 acknowledgement (now),
    // 46 payment kept under .DAT (3 hours).
    put("00000042.RSP", return_file("531", "NU", {1650, 2000}, 3650), kNow - 2 * kDay);
    put("00000043.RSP", return_file("900"), kNow - 10 * kDay);
    put("00000045.ARL", return_file("930"), kNow);
    put("00000046.DAT", return_file("531"), kNow - kDay / 8);
  }
  ~WindowFixture() override { program.reset(); }

  // Settings loaded, the returns folder chosen, the dialog open (and visible).
  void start() {
    make(front);
    program->load_settings();
    program->set_folder(returns());
    program->open_viewer();
  }

  HWND dialog() const { return front.dialog()->hwnd(); }
  // Takes the thread's messages as the viewer's message loop does, until `done` or `limit`;
  // true when `done`.
  bool pump_until(const std::function<bool()>& done,
                  std::chrono::milliseconds limit = std::chrono::seconds(8)) const {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
      if (std::chrono::steady_clock::now() >= end) return false;
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (!front.dialog() || !front.dialog()->translate(message)) {
          TranslateMessage(&message);
          DispatchMessageW(&message);
        }
      }
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return true;
  }
  // A window's text.
  static std::wstring text_of(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
  }
  HWND list_control() const { return GetDlgItem(dialog(), IDC_LIST); }
  HWND item(int id) const { return GetDlgItem(dialog(), id); }
  void click(int id) const { SendMessageW(item(id), BM_CLICK, 0, 0); }
  bool checked(int id) const { return IsDlgButtonChecked(dialog(), id) == BST_CHECKED; }

  // A cell's text and icon as the control gives them (through LVN_GETDISPINFO).
  std::wstring shown_text(int row, int column) const {
    wchar_t text[260] = {};
    ListView_GetItemText(list_control(), row, column, text, 260);
    return text;
  }
  int shown_icon(int row, int column) const {
    LVITEMW lvi{};
    lvi.mask = LVIF_IMAGE;
    lvi.iItem = row;
    lvi.iSubItem = column;
    ListView_GetItem(list_control(), &lvi);
    return lvi.iImage;
  }
  // The middle of a cell, in the list's client pixels (the viewer's list unless `list`).
  POINT cell_centre(int row, int column, HWND list = nullptr) const {
    if (!list) list = list_control();
    RECT bounds{};
    ListView_GetItemRect(list, row, &bounds, LVIR_BOUNDS);
    int left = bounds.left;
    for (int c = 0; c < column; ++c) left += ListView_GetColumnWidth(list, c);
    return {left + ListView_GetColumnWidth(list, column) / 2, (bounds.top + bounds.bottom) / 2};
  }
  void double_click(int row, int column, HWND list = nullptr) const {
    if (!list) list = list_control();
    const POINT p = cell_centre(row, column, list);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  }
  void click_header(int column, HWND list = nullptr) const {
    const HWND header = ListView_GetHeader(list ? list : list_control());
    RECT r{};
    Header_GetItemRect(header, column, &r);
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(header, WM_LBUTTONUP, 0, at);
  }
  // A key pressed while `control` has the focus, with Ctrl held when `ctrl`, through the
  // viewer's message loop.
  void press(HWND control, UINT key, bool ctrl = false) const {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    const BYTE was = keys[VK_CONTROL];
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(keys);
    SetFocus(control);
    PostMessageW(control, WM_KEYDOWN, key, 1);
    pump_until([] { return false; }, std::chrono::milliseconds(50));
    keys[VK_CONTROL] = was;
    SetKeyboardState(keys);
  }
  // The tooltip's text for the pointer resting on a cell.
  std::wstring tip_at(int row, int column) const {
    const POINT p = cell_centre(row, column);
    SendMessageW(list_control(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    NMTTDISPINFOW info{};
    info.hdr.hwndFrom = front.dialog()->list_window()->tooltip();
    info.hdr.code = TTN_GETDISPINFOW;
    SendMessageW(dialog(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    return info.lpszText ? info.lpszText : L"";
  }
  int first_row_of(int file) const {
    for (int r = 0; r < list().row_count(); ++r) {
      if (std::stoi(cell(r, viewer::kColFichier)) == file) return r;
    }
    return -1;
  }
};

}  // namespace noemie::testing
