#include "win32/control_tips.h"

// After windows.h (included above), which it builds on:
#include <commctrl.h>

#include <string>

#include "core/platform/win32/wide_text.h"

namespace noemie::win32 {

HWND add_control_tips(HWND dialog, const std::vector<std::pair<HWND, const char*>>& tips) {
  const HWND control =
      CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
                      GetModuleHandleW(nullptr), nullptr);
  if (!control) return nullptr;
  for (const auto& [tool_window, text] : tips) {
    std::wstring wide = platform::win32::cp1252_to_wide(text);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(tool_window);
    tool.lpszText = wide.data();
    SendMessageW(control, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  return control;
}

}  // namespace noemie::win32
