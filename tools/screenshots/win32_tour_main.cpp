// win32_screenshot_tour.exe PICTURES [FOLDER]: the Windows viewer, run as
// `noemie-viewer.exe [FOLDER]` runs it, with the screenshot tour driving its dialog; the
// pictures go to the folder PICTURES (BMP files). Exit status: the viewer's, or 3 when a
// picture could not be taken.

#include <windows.h>
// After windows.h, which it builds on:
#include <shellapi.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "core/platform/path_text.h"
#include "screenshots/win32_tour.h"
#include "win32/desktop_main.h"
#include "win32/win32_front.h"

int main() {
  using noemie::win32::ScreenshotTour;
  // The wide command line: the folders arrive whole, whatever the system's code page.
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide || count < 2) {
    std::fprintf(stderr, "usage: win32_screenshot_tour PICTURES [FOLDER]\n");
    return 2;
  }
  const std::filesystem::path pictures(wide[1]);
  std::vector<std::string> args;
  for (int i = 2; i < count; ++i) {
    args.push_back(noemie::platform::path_to_native_text(std::filesystem::path(wide[i])));
  }
  LocalFree(wide);
  return noemie::win32::run_desktop(args, [&pictures](noemie::win32::Win32Front& front) {
    auto tour = std::make_unique<ScreenshotTour>(pictures);
    front.set_window_shown_hook(
        [tour = tour.get()](noemie::win32::ViewerDialog& dialog) { tour->start(dialog); });
    front.set_fault_shown_hook([tour = tour.get()](HWND fault) { tour->fault_shown(fault); });
    return tour;
  });
}
