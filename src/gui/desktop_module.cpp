// The desktop viewer as a module of the program: the program loads it only when it opens a
// window, so that the headless commands start without loading the toolkit's libraries.

#include "gui/desktop_main.h"

extern "C" __attribute__((visibility("default"))) int noemie_viewer_run_desktop(int argc,
                                                                                char** argv) {
  return noemie::gui::run_desktop(argc, argv);
}
