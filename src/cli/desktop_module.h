#pragma once
// The desktop viewer of the Linux program lives in a module beside it (noemie-viewer-desktop.so),
// loaded only when a window opens: the headless commands then start without the toolkit's
// libraries, whose loading costs more than a small export.

namespace noemie::cli {

// Loads the module, from the program's own folder or from where the package installs it, and
// runs the desktop viewer; returns its exit status. When the module cannot be loaded, says
// why on the standard error and returns 1.
int run_desktop_module(int argc, char** argv);

}  // namespace noemie::cli
