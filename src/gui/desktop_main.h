#pragma once
// The desktop viewer's start-up: settings, folder choice, the viewer window, settings again.

namespace noemie::gui {

// Returns the process exit status: 1 when the folder choice is cancelled, 0 otherwise.
int run_desktop(int argc, char** argv);

}  // namespace noemie::gui
