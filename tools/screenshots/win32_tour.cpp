#include "screenshots/win32_tour.h"

#include <commctrl.h>

#include <cstdio>
#include <vector>

#include "win32/resource_ids.h"

namespace noemie::win32 {
namespace {

constexpr UINT_PTR kStepTimer = 1;
constexpr UINT_PTR kFaultTimer = 2;
// The "Total" column.
constexpr int kTotalColumn = 11;

struct ThreadWindows {
  DWORD process;
  std::vector<RECT> rects;
};

BOOL CALLBACK add_visible(HWND window, LPARAM data) {
  auto* found = reinterpret_cast<ThreadWindows*>(data);
  RECT r{};
  if (IsWindowVisible(window) && GetWindowRect(window, &r) && r.right > r.left) {
    found->rects.push_back(r);
  }
  return TRUE;
}

// Writes the screen area `r` as a 24-bit bitmap file; false on failure.
bool write_bitmap(const RECT& r, const std::filesystem::path& file) {
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return false;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as the file stores it
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = bitmap != nullptr;
  if (ok) {
    const HGDIOBJ old = SelectObject(memory, bitmap);
    ok = BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY) != 0;
    GdiFlush();
    SelectObject(memory, old);
  }
  if (ok) {
    const DWORD row = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
    const DWORD image = row * static_cast<DWORD>(height);
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;  // "BM"
    header.bfOffBits = sizeof header + sizeof info.bmiHeader;
    header.bfSize = header.bfOffBits + image;
    std::FILE* out = _wfopen(file.c_str(), L"wb");
    ok = out != nullptr && std::fwrite(&header, sizeof header, 1, out) == 1 &&
         std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
         std::fwrite(bits, image, 1, out) == 1;
    if (out && std::fclose(out) != 0) ok = false;
  }
  if (bitmap) DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ok;
}

}  // namespace

ScreenshotTour::ScreenshotTour(std::filesystem::path folder) : folder_(std::move(folder)) {
  std::error_code ignored;
  std::filesystem::create_directories(folder_, ignored);
  // A message-only window whose timers fire in every message loop of the thread, the modal
  // ones of menus, boxes and error dialogs included.
  timer_window_ = CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(timer_window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(timer_window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(timer_proc));
}

ScreenshotTour::~ScreenshotTour() {
  if (timer_window_) DestroyWindow(timer_window_);
}

LRESULT CALLBACK ScreenshotTour::timer_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_TIMER) {
    auto* self = reinterpret_cast<ScreenshotTour*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    KillTimer(hwnd, wparam);
    if (wparam == kStepTimer) {
      self->step_pending_ = false;
      self->run_next();
    } else if (wparam == kFaultTimer) {
      self->answer_fault();
    }
    return 0;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

void ScreenshotTour::then(int delay_ms, std::function<void()> step) {
  steps_.emplace_back(delay_ms, std::move(step));
  if (!step_pending_) {
    step_pending_ = true;
    SetTimer(timer_window_, kStepTimer, static_cast<UINT>(steps_.front().first), nullptr);
  }
}

void ScreenshotTour::run_next() {
  if (steps_.empty()) return;
  auto step = std::move(steps_.front().second);
  steps_.pop_front();
  step();
  if (!steps_.empty() && !step_pending_) {
    step_pending_ = true;
    SetTimer(timer_window_, kStepTimer, static_cast<UINT>(steps_.front().first), nullptr);
  }
}

void ScreenshotTour::save(const wchar_t* name) {
  ThreadWindows found{GetCurrentProcessId(), {}};
  EnumThreadWindows(GetCurrentThreadId(), add_visible, reinterpret_cast<LPARAM>(&found));
  if (found.rects.empty()) {
    ok_ = false;
    return;
  }
  RECT area = found.rects.front();
  for (const RECT& r : found.rects) UnionRect(&area, &area, &r);
  const RECT screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                    GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                    GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  IntersectRect(&area, &area, &screen);
  if (!write_bitmap(area, folder_ / (std::wstring(name) + L".bmp"))) ok_ = false;
}

POINT ScreenshotTour::cell_centre(int row, int column) const {
  const HWND list = dialog_->list_window()->control();
  RECT bounds{};
  ListView_GetItemRect(list, row, &bounds, LVIR_BOUNDS);
  int left = bounds.left;
  for (int c = 0; c < column; ++c) left += ListView_GetColumnWidth(list, c);
  POINT p{left + ListView_GetColumnWidth(list, column) / 2, (bounds.top + bounds.bottom) / 2};
  ClientToScreen(list, &p);
  return p;
}

int ScreenshotTour::row_with_text(int column) {
  const HWND list = dialog_->list_window()->control();
  wchar_t text[260];
  for (int row = 0; row < ListView_GetItemCount(list); ++row) {
    text[0] = 0;
    ListView_GetItemText(list, row, column, text, 260);
    if (text[0] != 0) return row;
  }
  ok_ = false;
  return 0;
}

void ScreenshotTour::select_only(int row) const {
  const HWND list = dialog_->list_window()->control();
  ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

HWND ScreenshotTour::transfers_table() const {
  const TransfersWindow* transfers = dialog_->transfers_window();
  return transfers && transfers->hwnd() ? GetDlgItem(transfers->hwnd(), IDC_TR_LIST) : nullptr;
}

void ScreenshotTour::post_click(int id) const {
  PostMessageW(GetDlgItem(dialog_->hwnd(), id), BM_CLICK, 0, 0);
}

void ScreenshotTour::fault_shown(HWND fault) {
  ++faults_seen_;
  fault_ = fault;
  fault_is_refill_ = refill_fault_wanted_;
  refill_fault_wanted_ = false;
  // On a timer of its own, which fires inside the dialog's loop while the steps wait.
  SetTimer(timer_window_, kFaultTimer, faults_seen_ == 1 || fault_is_refill_ ? 800 : 100, nullptr);
}

void ScreenshotTour::answer_fault() {
  if (faults_seen_ == 1) save(L"error-dialog");
  if (fault_is_refill_) save(L"refill-error-dialog");
  SendMessageW(GetDlgItem(fault_, IDC_FAULT_OK), BM_CLICK, 0, 0);
  if (fault_is_refill_) close_viewer_later();
}

void ScreenshotTour::close_viewer_later() {
  then(1000, [this] { PostMessageW(dialog_->hwnd(), WM_CLOSE, 0, 0); });
  // A box that the close opens (marks or settings not saved) is a failed tour: it is
  // pictured and closed, so that the program still ends.
  then(3000, [this] {
    const HWND box = GetForegroundWindow();
    if (box && box != dialog_->hwnd() && IsWindowVisible(box) &&
        GetWindowThreadProcessId(box, nullptr) == GetCurrentThreadId()) {
      save(L"unexpected-box");
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      ok_ = false;
    }
  });
}

void ScreenshotTour::start(ViewerDialog& dialog) {
  dialog_ = &dialog;
  const HWND list = dialog.list_window()->control();
  SetForegroundWindow(dialog.hwnd());
  // The first row of a file not yet processed (state icon 6) is selected, to be marked.
  int unprocessed = 0;
  for (int row = 0; row < ListView_GetItemCount(list); ++row) {
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    if (ListView_GetItem(list, &item) && item.iImage == 6) {
      unprocessed = row;
      break;
    }
  }
  select_only(unprocessed);
  then(1000, [this] { save(L"viewer"); });
  then(100, [this] {
    const POINT p = cell_centre(row_with_text(2), 2);
    SetCursorPos(p.x, p.y);
  });
  then(1500, [this] { save(L"tooltip"); });
  then(100, [this] {
    // The amount columns lie right of a narrow window: scrolled into sight first.
    const HWND list_control = dialog_->list_window()->control();
    const int row = row_with_text(kTotalColumn);
    POINT p = cell_centre(row, kTotalColumn);
    ScreenToClient(list_control, &p);
    RECT client{};
    GetClientRect(list_control, &client);
    if (p.x > client.right * 2 / 3) ListView_Scroll(list_control, p.x - client.right / 2, 0);
    p = cell_centre(row, kTotalColumn);
    SetCursorPos(p.x, p.y);
  });
  then(1500, [this] {
    save(L"tooltip-amount");
    ListView_Scroll(dialog_->list_window()->control(), -100000, 0);
  });
  then(100, [this] {
    RECT r{};
    GetWindowRect(GetDlgItem(dialog_->hwnd(), IDC_EXPORT), &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    post_click(IDC_EXPORT);
  });
  then(1000, [this] {
    save(L"export-menu");
    EndMenu();
  });
  then(300, [this] {
    const HWND list_control = dialog_->list_window()->control();
    POINT p = cell_centre(row_with_text(2), 2);
    SetCursorPos(p.x, p.y);
    ScreenToClient(list_control, &p);
    const LPARAM at = MAKELPARAM(p.x, p.y);
    PostMessageW(list_control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(list_control, WM_LBUTTONUP, 0, at);
    PostMessageW(list_control, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageW(list_control, WM_LBUTTONUP, 0, at);
  });
  then(1000, [this] {
    save(L"detail-box");
    const HWND box = GetLastActivePopup(dialog_->hwnd());
    if (box && box != dialog_->hwnd()) {
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    } else {
      ok_ = false;
    }
  });
  // The transfers window over the list, its first transfer ticked; then a double-click on a
  // line narrows the list to that transfer's rows, as the find line says.
  then(300, [this] { post_click(IDC_TRANSFERS); });
  then(1000, [this] {
    const HWND table = transfers_table();
    if (!table || ListView_GetItemCount(table) == 0) {
      ok_ = false;
      return;
    }
    ListView_SetItemState(table, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SetFocus(table);
    PostMessageW(table, WM_KEYDOWN, VK_SPACE, 1);
  });
  then(500, [this] { save(L"transfers"); });
  then(100, [this] {
    const HWND table = transfers_table();
    if (!table) return;
    RECT bounds{};
    ListView_GetItemRect(table, 0, &bounds, LVIR_BOUNDS);
    const LPARAM at = MAKELPARAM(
        bounds.left + ListView_GetColumnWidth(table, 0) + ListView_GetColumnWidth(table, 1) / 2,
        (bounds.top + bounds.bottom) / 2);
    PostMessageW(table, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(table, WM_LBUTTONUP, 0, at);
    PostMessageW(table, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageW(table, WM_LBUTTONUP, 0, at);
  });
  then(1000, [this] {
    if (const HWND table = transfers_table()) PostMessageW(GetParent(table), WM_CLOSE, 0, 0);
  });
  then(1000, [this] {
    save(L"viewer-transfer");
    // The whole list back for the steps that follow.
    SetWindowTextW(GetDlgItem(dialog_->hwnd(), IDC_FIND), L"");
  });
  then(500, [this, unprocessed] {
    SetCursorPos(0, 0);
    select_only(unprocessed);  // the double-click selected the row it hit
    post_click(IDC_MARK_DONE);
    post_click(IDC_KIND_REJECTIONS);
  });
  then(1000, [this] { save(L"viewer-rejets"); });
  // The refill that "Toutes" starts meets the faulty file again: its error dialog is the
  // last picture, and the viewer closes after it (at once when the folder has none).
  then(100, [this] {
    if (faults_seen_ == 0) {
      post_click(IDC_KIND_ALL);
      close_viewer_later();
      return;
    }
    refill_fault_wanted_ = true;
    post_click(IDC_KIND_ALL);
  });
}

}  // namespace noemie::win32
