#pragma once
// Pixels at the DPI of a window: the front end's lengths are given at 96 DPI (100 %) and
// scaled for the monitor the window is on.

#include <windows.h>

namespace noemie::win32 {

// The DPI of `window` (96 when Windows does not say).
inline int dpi_of(HWND window) {
  const UINT dpi = GetDpiForWindow(window);
  return dpi == 0 ? USER_DEFAULT_SCREEN_DPI : static_cast<int>(dpi);
}

// `pixels_at_96` scaled to the DPI of `window`.
inline int scaled(int pixels_at_96, HWND window) {
  return MulDiv(pixels_at_96, dpi_of(window), USER_DEFAULT_SCREEN_DPI);
}

// A window moved to another monitor's DPI takes the rectangle that WM_DPICHANGED suggests
// (its `lparam`).
inline void take_suggested_rect(HWND window, LPARAM lparam) {
  const auto* suggested = reinterpret_cast<const RECT*>(lparam);
  SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
               suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace noemie::win32
