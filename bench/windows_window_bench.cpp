// windows_window_bench: the Windows build's list engine and window on a folder of return
// files, as a user meets them, under Wine or on Windows. Prints, in milliseconds (medians):
//   engine  first fill            a new engine's opening fill (nothing kept yet)
//   engine  kind filter change    "Paiements" and "Toutes" in turn, no file changed
//   window  opening, first fill   the viewer dialog made, filled, shown and drawn
//   window  kind filter change    a click on the radio, until the list is drawn again
// bench/windows-bench runs it beside the floor (windows_floor) and the export. The folder
// should hold no faulty file: each fault would open its error dialog (closed here at once).
//
//   windows_window_bench FOLDER [RUNS]

#include <windows.h>
// After windows.h, which it builds on:
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <memory>
#include <vector>

#include "app/engine_program.h"
#include "core/platform/clock.h"
#include "core/platform/path_text.h"
#include "core/platform/recording_dialogs.h"
#include "core/store/config.h"
#include "core/store/flag_store.h"
#include "core/store/result_titles.h"
#include "core/store/settings.h"
#include "core/store/tree_registry.h"
#include "core/viewer/viewer.h"
#include "win32/resource_ids.h"
#include "win32/win32_front.h"

namespace {

using namespace noemie;
using Clock = std::chrono::steady_clock;

class NoFaults final : public FaultReporter {
 public:
  void report(const FaultReport&) override {}
};

double ms_since(Clock::time_point t0) {
  return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// Median of `runs` timings of `action`, in milliseconds.
double median_ms(int runs, const std::function<void()>& action) {
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    const auto t0 = Clock::now();
    action();
    ms.push_back(ms_since(t0));
  }
  std::sort(ms.begin(), ms.end());
  return ms[ms.size() / 2];
}

// Until the window has handled what is queued and drawn what changed.
void settle(HWND window) {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void engine_alone(const std::filesystem::path& folder, int runs) {
  store::MemoryRegistry registry;
  platform::RecordingDialogs dialogs;
  store::Settings settings(registry, dialogs, "C:\\noemie-viewer\\noemie-viewer.exe");
  settings.lit_config();
  store::FlagStore flags(registry, dialogs);
  store::ResultTitles titles;
  titles.init_txt_idx();
  NoFaults faults;
  const platform::SystemClock clock;
  viewer::ViewerOptions options;
  options.folder = folder;
  options.regime_table.clear();
  options.fund_directory.clear();
  options.may_write = false;
  int rows = 0;
  std::printf("engine  first fill:             %8.1f ms\n", median_ms(runs, [&] {
                viewer::Viewer engine(settings, flags, titles, faults, dialogs, clock, options);
                engine.open();
                rows = engine.list().row_count();
              }));
  viewer::Viewer engine(settings, flags, titles, faults, dialogs, clock, options);
  engine.open();
  int kind = 0;
  std::printf("engine  kind filter change:     %8.1f ms\n", median_ms(runs, [&] {
                kind = kind == 0 ? 1 : 0;
                engine.choose_kind_filter(kind);
              }));
  std::printf("rows: %d\n", rows);
}

void window(const std::filesystem::path& folder, int runs) {
  platform::RecordingDialogs dialogs;
  platform::RecordingShell shell;
  const platform::SystemClock clock;
  win32::Win32Front front;
  // A fault's error dialog is closed as soon as it shows.
  front.set_fault_shown_hook([](HWND fault) { PostMessageW(fault, WM_CLOSE, 0, 0); });
  app::EngineSetup setup;  // settings in memory only
  app::EngineProgram program(setup, app::EngineServices{dialogs, shell, clock, front, std::cerr});
  program.load_settings();
  // The flag file the window makes goes to a folder of its own, not the current one.
  const std::filesystem::path arch = std::filesystem::temp_directory_path() / "noemie-bench-arch";
  std::filesystem::create_directories(arch);
  program.settings().config.path_arch = (arch / "").string();
  program.set_folder(folder);
  HWND dialog = nullptr;
  std::vector<double> openings;
  for (int i = 0; i < runs; ++i) {
    program.close_viewer();
    openings.push_back(median_ms(1, [&] {
      program.open_viewer();
      dialog = front.dialog()->hwnd();
      ShowWindow(dialog, SW_SHOW);
      settle(dialog);
    }));
  }
  std::sort(openings.begin(), openings.end());
  std::printf("window  opening, first fill:    %8.1f ms\n", openings[openings.size() / 2]);
  std::printf("window  rows shown: %d\n", ListView_GetItemCount(GetDlgItem(dialog, IDC_LIST)));
  bool on_all = true;
  std::printf("window  kind filter change:     %8.1f ms\n", median_ms(runs, [&] {
                SendMessageW(GetDlgItem(dialog, on_all ? IDC_KIND_PAYMENTS : IDC_KIND_ALL),
                             BM_CLICK, 0, 0);
                on_all = !on_all;
                settle(dialog);
              }));
  program.close_viewer();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: windows_window_bench FOLDER [RUNS]\n", stderr);
    return 2;
  }
  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  const std::filesystem::path folder = platform::path_from_native_text(argv[1]);
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
  engine_alone(folder, runs);
  window(folder, runs);
  return 0;
}
