#pragma once
// The Windows desktop viewer: `noemie-viewer.exe [FOLDER]`.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/window_driver.h"

namespace noemie::win32 {

class Win32Front;

using app::WindowDriver;

// Makes the driver of a run once the front end exists, before the start-up (it may set the
// front end's hooks).
using WindowDriverMaker = std::function<std::unique_ptr<WindowDriver>(Win32Front& front)>;

// Runs the viewer: settings from the registry (HKEY_CURRENT_USER\software\quillon), the
// folder from `args` (the arguments after the program's name, UTF-8) or the folder chooser,
// the viewer dialog until it closes, the settings saved. Returns the exit status: 1 when the
// folder choice is cancelled, 0 otherwise (or what the driver makes of it).
int run_desktop(const std::vector<std::string>& args, const WindowDriverMaker& make_driver = {});

}  // namespace noemie::win32
