#pragma once
// The Windows desktop viewer: `noemie-viewer.exe [FOLDER]`.

#include <string>
#include <vector>

namespace noemie::win32 {

// Runs the viewer: settings from the registry (HKEY_CURRENT_USER\software\quillon), the
// folder from `args` (the arguments after the program's name, UTF-8) or the folder chooser,
// the viewer dialog until it closes, the settings saved. Returns the exit status: 1 when the
// folder choice is cancelled, 0 otherwise.
int run_desktop(const std::vector<std::string>& args);

}  // namespace noemie::win32
