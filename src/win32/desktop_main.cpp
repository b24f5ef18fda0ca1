#include "win32/desktop_main.h"

#include <windows.h>
// After windows.h, which they build on:
#include <commctrl.h>
#include <objbase.h>

#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "app/engine_program.h"
#include "app/startup.h"
#include "core/platform/clock.h"
#include "core/platform/path_text.h"
#include "core/platform/program_file.h"
#include "core/store/windows_registry.h"
#include "win32/screenshot_tour.h"
#include "win32/win32_front.h"
#include "win32/win32_services.h"

namespace noemie::win32 {
namespace {

// An environment variable's value; "" when it is not set. (The C library's wide lookup
// finds nothing in a program whose entry is the narrow main.)
std::wstring environment_text(const wchar_t* name) {
  const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return {};
  std::wstring value(size, L'\0');
  value.resize(GetEnvironmentVariableW(name, value.data(), size));
  return value;
}

}  // namespace

int run_desktop(const std::vector<std::string>& args) {
  // The shell's folder picker is a COM object of this thread.
  const bool com =
      SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  std::optional<std::filesystem::path> folder;
  if (!args.empty()) folder = platform::path_from_native_text(args.front());

  int status = 0;
  {
    Win32Dialogs dialogs;
    Win32Shell shell;
    const platform::SystemClock clock;
    Win32Front front([&dialogs](HWND owner) { dialogs.set_owner(owner); });
    store::WindowsRegistry registry;
    app::EngineSetup setup;
    setup.system_registry = &registry;
    setup.program_file = platform::running_program_file();
    app::EngineProgram program(setup, app::EngineServices{dialogs, shell, clock, front, std::cerr});
    // The screenshot script's tour of the window; never made on a normal start.
    std::unique_ptr<ScreenshotTour> tour;
    if (const std::wstring pictures = environment_text(kScreenshotVariable); !pictures.empty()) {
      tour = std::make_unique<ScreenshotTour>(pictures);
      front.set_window_shown_hook([&tour](ViewerDialog& dialog) { tour->start(dialog); });
      front.set_fault_shown_hook([&tour](HWND fault) { tour->fault_shown(fault); });
    }
    status = app::run_startup(program, dialogs, folder);
    if (tour && !tour->succeeded()) status = 3;
  }
  if (com) CoUninitialize();
  return status;
}

}  // namespace noemie::win32
