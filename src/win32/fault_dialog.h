#pragma once
// The error dialog of a return file that cannot be read (dialog template 2503): the file,
// the fault's position, the message's start in the file and the French description, with
// "Envoyer", which sends the report by e-mail and leaves the dialog open, and "OK", which
// closes it and has the keyboard focus when it opens. Enter and Escape do nothing.

#include <windows.h>

#include <functional>

#include "core/noemie/fault_report.h"

namespace noemie::win32 {

// Runs the dialog modally to `owner` (may be nullptr) until the user closes it; `send` runs
// on each press of "Envoyer". `shown`, when set, is told the dialog's window once the dialog
// runs (tests and the screenshot tour drive it from there).
void run_fault_dialog(HWND owner, const FaultReport& fault, const std::function<void()>& send,
                      const std::function<void(HWND dialog)>& shown = {});

}  // namespace noemie::win32
