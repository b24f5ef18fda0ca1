#pragma once
// The tooltips of a dialog's controls: one tooltip control for the dialog, a fixed text per
// control (Windows-1252), shown also while the dialog is not the active window.

#include <windows.h>

#include <utility>
#include <vector>

namespace noemie::win32 {

// Makes the tooltip control of `dialog` with a tip for each control; nullptr when Windows could
// not make it. The caller destroys it (DestroyWindow) when the tips are no longer wanted.
HWND add_control_tips(HWND dialog, const std::vector<std::pair<HWND, const char*>>& tips);

}  // namespace noemie::win32
