#pragma once
// The desktop viewer's start-up: settings, folder choice, the viewer window, settings again.

#include <functional>
#include <memory>

#include "app/window_driver.h"

namespace noemie::gui {

class QtFront;

using app::WindowDriver;

// Makes the driver of a run once the application and the front end exist, before the start-up
// (it may set the front end's hooks); the driver goes before the application does.
using WindowDriverMaker = std::function<std::unique_ptr<WindowDriver>(QtFront& front)>;

// Returns the process exit status: 1 when the folder choice is cancelled, 0 otherwise (or
// what the driver makes of it).
int run_desktop(int argc, char** argv, const WindowDriverMaker& make_driver = {});

}  // namespace noemie::gui
