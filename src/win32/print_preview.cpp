#include "win32/print_preview.h"

#include <commdlg.h>
#include <winspool.h>

#include <algorithm>
#include <string>

#include "core/platform/win32/wide_text.h"
#include "win32/dpi.h"
#include "win32/page_gdi.h"

namespace noemie::win32 {
namespace {

constexpr wchar_t kFrameClass[] = L"NoemiePrintPreview";
constexpr wchar_t kPageClass[] = L"NoemiePreviewPage";
constexpr wchar_t kWarningCaption[] = L"Velmora-Attention !";

void warn(HWND owner, const wchar_t* text) {
  MessageBoxW(owner, text, kWarningCaption, MB_OK | MB_ICONWARNING);
}

bool any_printer() {
  DWORD needed = 0;
  DWORD count = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed,
                &count);
  return needed > 0;
}

// The default printer's settings turned to A4 landscape, for the print dialog to start from.
void ask_a4_landscape(PRINTDLGW& dialog) {
  PRINTDLGW defaults{};
  defaults.lStructSize = sizeof defaults;
  defaults.Flags = PD_RETURNDEFAULT;
  if (!PrintDlgW(&defaults)) return;
  if (auto* mode = static_cast<DEVMODEW*>(GlobalLock(defaults.hDevMode))) {
    mode->dmFields |= DM_ORIENTATION | DM_PAPERSIZE;
    mode->dmOrientation = DMORIENT_LANDSCAPE;
    mode->dmPaperSize = DMPAPER_A4;
    GlobalUnlock(defaults.hDevMode);
  }
  dialog.hDevMode = defaults.hDevMode;
  dialog.hDevNames = defaults.hDevNames;
}

bool print_pages(HDC dc, const print::Document& document) {
  const std::wstring title = platform::win32::cp1252_to_wide(document.title);
  DOCINFOW info{};
  info.cbSize = sizeof info;
  info.lpszDocName = title.c_str();
  if (StartDocW(dc, &info) <= 0) return false;
  // The device draws from the corner of its printable area, not of the paper.
  const double scale = GetDeviceCaps(dc, LOGPIXELSX) / 72.0;
  const POINT origin = {-GetDeviceCaps(dc, PHYSICALOFFSETX), -GetDeviceCaps(dc, PHYSICALOFFSETY)};
  for (const print::Page& page : document.pages) {
    if (StartPage(dc) <= 0) {
      AbortDoc(dc);
      return false;
    }
    draw_page(dc, page, scale, origin);
    if (EndPage(dc) <= 0) {
      AbortDoc(dc);
      return false;
    }
  }
  return EndDoc(dc) > 0;
}

class Preview {
 public:
  Preview(HWND owner, const print::Document& document) : owner_(owner), document_(document) {}
  ~Preview() {
    if (font_) DeleteObject(font_);
  }
  Preview(const Preview&) = delete;
  Preview& operator=(const Preview&) = delete;

  void run(const std::function<void(HWND)>& opened) {
    register_classes();
    frame_ = CreateWindowExW(0, kFrameClass, L"Aper\u00e7u avant impression",
                             WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, owner_, nullptr,
                             GetModuleHandleW(nullptr), this);
    if (!frame_) return;
    // Over the owner, at least as large as it and as 900 x 640 at the window's DPI.
    RECT place = {0, 0, 0, 0};
    if (owner_) GetWindowRect(owner_, &place);
    SetWindowPos(frame_, nullptr, place.left, place.top,
                 std::max<int>(place.right - place.left, scaled_here(900)),
                 std::max<int>(place.bottom - place.top, scaled_here(640)),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    make_controls();
    show_page(0);
    if (owner_) EnableWindow(owner_, FALSE);
    ShowWindow(frame_, SW_SHOW);
    SetFocus(GetDlgItem(frame_, kPreviewNext));
    if (opened) opened(frame_);
    MSG message;
    while (!done_) {
      const BOOL got = GetMessageW(&message, nullptr, 0, 0);
      if (got <= 0) {
        // The program is ending: the loop that called us sees the quit too.
        if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
        break;
      }
      if (message.message == WM_KEYDOWN && in_preview(message.hwnd) && key(message.wParam)) {
        continue;
      }
      if (!IsDialogMessageW(frame_, &message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
    // The owner active again before this window goes, so that it keeps the focus.
    if (owner_) EnableWindow(owner_, TRUE);
    DestroyWindow(frame_);
  }

 private:
  static void register_classes() {
    WNDCLASSEXW frame{};
    frame.cbSize = sizeof frame;
    frame.lpfnWndProc = frame_proc;
    frame.hInstance = GetModuleHandleW(nullptr);
    frame.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    frame.lpszClassName = kFrameClass;
    RegisterClassExW(&frame);  // fails harmlessly when already registered
    WNDCLASSEXW page = frame;
    page.lpfnWndProc = page_proc;
    page.hbrBackground = nullptr;
    page.lpszClassName = kPageClass;
    RegisterClassExW(&page);
  }

  static Preview* of(HWND window) {
    return reinterpret_cast<Preview*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  }

  static LRESULT CALLBACK frame_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    Preview* self = of(window);
    if (!self) return DefWindowProcW(window, message, wparam, lparam);
    switch (message) {
      case WM_SIZE:
        self->lay_out();
        return 0;
      case WM_COMMAND:
        self->command(LOWORD(wparam));
        return 0;
      case WM_CLOSE:
        self->done_ = true;
        return 0;
      default:
        return DefWindowProcW(window, message, wparam, lparam);
    }
  }

  static LRESULT CALLBACK page_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    Preview* self = of(window);
    if (!self) return DefWindowProcW(window, message, wparam, lparam);
    switch (message) {
      case WM_ERASEBKGND:
        return 1;
      case WM_PAINT:
        self->paint();
        return 0;
      case WM_SIZE:
        self->scroll_to(self->scroll_);
        return 0;
      case WM_VSCROLL:
        self->scroll(LOWORD(wparam));
        return 0;
      case WM_MOUSEWHEEL:
        self->scroll_to(self->scroll_ -
                        GET_WHEEL_DELTA_WPARAM(wparam) * self->line() * 3 / WHEEL_DELTA);
        return 0;
      default:
        return DefWindowProcW(window, message, wparam, lparam);
    }
  }

  int scaled_here(int pixels) const { return scaled(pixels, frame_); }

  void make_controls() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                               static_cast<UINT>(dpi_of(frame_)));
    font_ = CreateFontIndirectW(&metrics.lfMessageFont);
    const auto make = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int id) {
      HWND control = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                                     frame_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                     GetModuleHandleW(nullptr), this);
      SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
      return control;
    };
    make(L"Button", L"Imprimer\u2026", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, kPreviewPrint);
    make(L"Button", L"Page pr\u00e9c\u00e9dente", BS_PUSHBUTTON | WS_TABSTOP, kPreviewPrevious);
    make(L"Button", L"Page suivante", BS_PUSHBUTTON | WS_TABSTOP, kPreviewNext);
    make(L"Static", L"", SS_LEFT | SS_CENTERIMAGE, kPreviewPageLine);
    view_ = make(kPageClass, L"", WS_VSCROLL | WS_BORDER, kPreviewPage);
    lay_out();
  }

  void lay_out() {
    if (!view_) return;
    RECT client{};
    GetClientRect(frame_, &client);
    const int gap = scaled_here(8);
    const int height = scaled_here(26);
    const int widths[] = {scaled_here(110), scaled_here(130), scaled_here(120), scaled_here(140)};
    const int ids[] = {kPreviewPrint, kPreviewPrevious, kPreviewNext, kPreviewPageLine};
    int x = gap;
    for (int i = 0; i < 4; ++i) {
      MoveWindow(GetDlgItem(frame_, ids[i]), x, gap, widths[i], height, TRUE);
      x += widths[i] + gap;
    }
    const int top = 2 * gap + height;
    MoveWindow(view_, 0, top, client.right, std::max(0, static_cast<int>(client.bottom) - top),
               TRUE);
  }

  bool in_preview(HWND window) const { return window == frame_ || IsChild(frame_, window); }

  bool key(WPARAM vk) {
    const int last = static_cast<int>(document_.pages.size()) - 1;
    switch (vk) {
      case VK_PRIOR:
        show_page(page_ - 1);
        return true;
      case VK_NEXT:
        show_page(page_ + 1);
        return true;
      case VK_HOME:
        show_page(0);
        return true;
      case VK_END:
        show_page(last);
        return true;
      case VK_ESCAPE:
        done_ = true;
        return true;
      default:
        return false;
    }
  }

  void command(int id) {
    switch (id) {
      case kPreviewPrint:
        print_document(frame_, document_);
        break;
      case kPreviewPrevious:
        show_page(page_ - 1);
        break;
      case kPreviewNext:
        show_page(page_ + 1);
        break;
      case IDCANCEL:
        done_ = true;
        break;
      default:
        break;
    }
  }

  void show_page(int page) {
    const int count = static_cast<int>(document_.pages.size());
    page_ = std::clamp(page, 0, std::max(0, count - 1));
    const std::wstring line =
        L"Page " + std::to_wstring(count == 0 ? 0 : page_ + 1) + L" / " + std::to_wstring(count);
    SetDlgItemTextW(frame_, kPreviewPageLine, line.c_str());
    const HWND previous = GetDlgItem(frame_, kPreviewPrevious);
    const HWND next = GetDlgItem(frame_, kPreviewNext);
    // A button that goes disabled gives the focus to its neighbour first.
    const HWND focus = GetFocus();
    if ((focus == previous && page_ == 0) || (focus == next && page_ + 1 >= count)) {
      SetFocus(GetDlgItem(frame_, kPreviewPrint));
    }
    EnableWindow(previous, page_ > 0);
    EnableWindow(next, page_ + 1 < count);
    scroll_to(0);
    InvalidateRect(view_, nullptr, FALSE);
  }

  // The paper zoomed to the page view's width, with a margin around it.
  double scale() const {
    RECT client{};
    GetClientRect(view_, &client);
    return std::max(1, static_cast<int>(client.right) - 2 * margin()) / document_.width;
  }
  int margin() const { return scaled_here(8); }
  int line() const { return scaled_here(20); }
  int paper_height() const { return static_cast<int>(document_.height * scale()) + 2 * margin(); }

  void scroll_to(int position) {
    if (!view_) return;
    RECT client{};
    GetClientRect(view_, &client);
    const int room = static_cast<int>(client.bottom);
    scroll_ = std::clamp(position, 0, std::max(0, paper_height() - room));
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
    info.nMax = paper_height() - 1;
    info.nPage = static_cast<UINT>(std::max(0, room));
    info.nPos = scroll_;
    SetScrollInfo(view_, SB_VERT, &info, TRUE);
    InvalidateRect(view_, nullptr, FALSE);
  }

  void scroll(int request) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(view_, SB_VERT, &info);
    int position = scroll_;
    switch (request) {
      case SB_LINEUP:
        position -= line();
        break;
      case SB_LINEDOWN:
        position += line();
        break;
      case SB_PAGEUP:
        position -= static_cast<int>(info.nPage);
        break;
      case SB_PAGEDOWN:
        position += static_cast<int>(info.nPage);
        break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION:
        position = info.nTrackPos;
        break;
      case SB_TOP:
        position = 0;
        break;
      case SB_BOTTOM:
        position = paper_height();
        break;
      default:
        return;
    }
    scroll_to(position);
  }

  // Drawn off screen, then copied, so that turning and scrolling do not flicker.
  void paint() {
    PAINTSTRUCT ps;
    HDC screen = BeginPaint(view_, &ps);
    RECT client{};
    GetClientRect(view_, &client);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap =
        CreateCompatibleBitmap(screen, std::max(1L, client.right), std::max(1L, client.bottom));
    HGDIOBJ old = SelectObject(dc, bitmap);
    FillRect(dc, &client, GetSysColorBrush(COLOR_APPWORKSPACE));
    if (!document_.pages.empty()) {
      const double s = scale();
      const POINT origin = {margin(), margin() - scroll_};
      const RECT paper = {origin.x, origin.y, origin.x + static_cast<LONG>(document_.width * s),
                          origin.y + static_cast<LONG>(document_.height * s)};
      FillRect(dc, &paper, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      draw_page(dc, document_.pages[static_cast<std::size_t>(page_)], s, origin);
    }
    BitBlt(screen, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    EndPaint(view_, &ps);
  }

  HWND owner_;
  const print::Document& document_;
  HWND frame_ = nullptr;
  HWND view_ = nullptr;
  HFONT font_ = nullptr;
  int page_ = 0;
  int scroll_ = 0;
  bool done_ = false;
};

}  // namespace

void show_print_preview(HWND owner, const print::Document& document,
                        const std::function<void(HWND)>& opened) {
  Preview(owner, document).run(opened);
}

bool print_document(HWND owner, const print::Document& document) {
  if (!any_printer()) {
    warn(owner, L"Aucune imprimante n'est install\u00e9e : rien n'a \u00e9t\u00e9 imprim\u00e9.");
    return false;
  }
  PRINTDLGW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  ask_a4_landscape(dialog);
  dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE;
  const bool chosen = PrintDlgW(&dialog) != FALSE;
  const DWORD error = chosen ? 0 : CommDlgExtendedError();
  bool printed = false;
  if (chosen && dialog.hDC) {
    printed = print_pages(dialog.hDC, document);
    DeleteDC(dialog.hDC);
  }
  if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
  if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
  if (chosen && !printed) {
    warn(owner,
         L"L'impression a \u00e9chou\u00e9 : le document n'a pas \u00e9t\u00e9 imprim\u00e9 en "
         L"entier.");
  } else if (!chosen && error != 0) {
    warn(owner, L"L'impression n'a pas pu commencer : aucune imprimante n'est utilisable.");
  }
  return printed;
}

}  // namespace noemie::win32
