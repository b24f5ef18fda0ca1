#include "win32/desktop_main.h"

#include <windows.h>
// After windows.h, which they build on:
#include <commctrl.h>
#include <objbase.h>

#include <iostream>
#include <memory>
#include <optional>

#include "app/engine_program.h"
#include "app/startup.h"
#include "core/platform/clock.h"
#include "core/platform/path_text.h"
#include "core/platform/program_file.h"
#include "core/store/windows_registry.h"
#include "win32/win32_front.h"
#include "win32/win32_services.h"

namespace noemie::win32 {

int run_desktop(const std::vector<std::string>& args, const WindowDriverMaker& make_driver) {
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
    const std::unique_ptr<WindowDriver> driver = make_driver ? make_driver(front) : nullptr;
    status = app::run_startup(program, dialogs, folder);
    if (driver) status = driver->exit_status(status);
  }
  if (com) CoUninitialize();
  return status;
}

}  // namespace noemie::win32
