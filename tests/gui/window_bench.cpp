// How long the viewer window keeps the user waiting on a large folder: 5,000 generated
// return files (about 100,000 rows), or as many as asked; with "long", long payment returns
// as an archive of years holds (about 100 rows a file). For each user action that rebuilds or
// reorders the list (the first fill at opening, a kind-filter change, a header click) it
// prints the time the engine alone needs, the time the window needs until the list is drawn
// again, and their ratio. Targets: the window within 1.5 x the engine for each; on about
// 500,000 rows, filter change <= 150 ms, header sort <= 60 ms, opening <= 400 ms. Run in a
// Release build, on the offscreen platform or under a display:
//
//   QT_QPA_PLATFORM=offscreen gui_window_bench [FILES] [long]

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string_view>

#include "core/platform/heap_room.h"
#include "core/platform/recording_dialogs.h"
#include "core/store/flag_store.h"
#include "core/store/result_titles.h"
#include "core/store/settings.h"
#include "core/store/tree_registry.h"
#include "core/viewer/random_returns.h"
#include "core/viewer/viewer.h"
#include "engine_fixture.h"
#include "gui/desktop_main.h"

using namespace noemie;
using namespace noemie::testing;

namespace {

using Clock = std::chrono::steady_clock;

class NoFaults final : public FaultReporter {
 public:
  void report(const FaultReport&) override {}
};

// Median of `runs` timings of `action`, in milliseconds.
double median_ms(int runs, const std::function<void()>& action) {
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    const auto t0 = Clock::now();
    action();
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
  }
  std::sort(ms.begin(), ms.end());
  return ms[ms.size() / 2];
}

// Until the window has handled what the action queued and drawn the list again, once: the
// list is drawn with whatever else the action left to draw, as the user sees it.
void settle(gui::ViewerWindow& window) {
  window.list_view()->viewport()->update();
  QApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv) {
  // As the program starts: one heap for every thread, on large pages from the start.
  platform::share_one_heap();
  platform::expect_heap_use(platform::kLargePageHeap);
  QApplication app(argc, argv);
  const int files = argc > 1 ? std::atoi(argv[1]) : 5000;
  constexpr int kRuns = 5;

  const bool long_returns = argc > 2 && std::string_view(argv[2]) == "long";

  EngineFixture f;
  std::mt19937 rng(2024);
  RandomReturnShape shape = short_return_shape();
  if (long_returns) {
    shape = long_payment_shape();
    shape.broken_percent = 0;  // a fault would stop the run in its error dialog
  }
  for (int i = 0; i < files; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "%08d.RSP", i + 1);
    f.put(name, random_return_file(rng, shape));
  }

  // The engine alone, with the same settings and folder.
  double engine_open = 0;
  double engine_filter = 0;
  double engine_sort = 0;
  {
    store::MemoryRegistry registry;
    platform::RecordingDialogs dialogs;
    store::Settings settings(registry, dialogs, "/nonexistent/noemie-viewer");
    settings.lit_config();
    settings.config.path_arch = f.arch();
    store::FlagStore flags(registry, dialogs);
    store::ResultTitles titles;
    titles.init_txt_idx();
    NoFaults faults;
    viewer::ViewerOptions options;
    options.folder = f.returns();
    options.regime_table = f.dir.path() / "caisses.qvc";
    options.may_write = false;
    options.expect_memory = platform::expect_heap_use;  // as the window's engine is given
    options.keep_listing = true;
    // An engine's opening reads every file, as the window's does.
    engine_open = median_ms(kRuns, [&] {
      viewer::Viewer opened(settings, flags, titles, faults, dialogs, f.clock, options);
      opened.open();
    });
    viewer::Viewer engine(settings, flags, titles, faults, dialogs, f.clock, options);
    engine.open();
    std::printf("rows: %d\n", engine.list().row_count());
    int kind = 0;
    engine_filter = median_ms(kRuns, [&] {
      kind = kind == 0 ? 1 : 0;
      engine.choose_kind_filter(kind);
    });
    if (kind != 0) engine.choose_kind_filter(0);
    int column = 0;
    engine_sort = median_ms(kRuns, [&] {
      column = column == viewer::kColAssure ? viewer::kColRef : viewer::kColAssure;
      engine.sort_colonne(column);
    });
  }
  const auto report = [](const char* what, double engine_ms, double window_ms) {
    std::printf("%-26s engine %8.1f ms   window %8.1f ms   %5.2f x\n", what, engine_ms, window_ms,
                window_ms / engine_ms);
  };

  // The same through the window, as the user does it.
  f.make();
  const auto t0 = Clock::now();
  f.program->load_settings();
  f.program->set_folder(f.returns());
  f.program->open_viewer();
  gui::ViewerWindow& window = f.window();
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  settle(window);
  report("opening, first fill:", engine_open,
         std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
  std::printf("window  rows shown: %d\n", window.list_view()->model()->rowCount());

  auto* payments = window.findChild<QAbstractButton*>(gui::control_name(gui::kIdKindPayments));
  auto* all = window.findChild<QAbstractButton*>(gui::control_name(gui::kIdKindAll));
  bool on_all = true;
  report("kind filter change:", engine_filter, median_ms(kRuns, [&] {
           QTest::mouseClick(on_all ? payments : all, Qt::LeftButton);
           on_all = !on_all;
           settle(window);
         }));
  if (!on_all) QTest::mouseClick(all, Qt::LeftButton);

  QHeaderView* header = window.list_view()->header();
  int clicks = 0;
  QObject::connect(header, &QHeaderView::sectionClicked, [&clicks](int) { ++clicks; });
  int column = 0;
  report("header click sort:", engine_sort, median_ms(kRuns, [&] {
           column = column == viewer::kColAssure ? viewer::kColRef : viewer::kColAssure;
           QTest::mouseClick(
               header->viewport(), Qt::LeftButton, {},
               QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                      header->height() / 2));
           settle(window);
         }));
  std::printf("        (%d clicks; last sorted by column %d: first row %s)\n", clicks, column,
              std::string(f.list().cell(0, column)).c_str());

  window.list_view()->selectAll();
  std::printf("window  select all, mark:       %8.1f ms\n", median_ms(1, [&] {
                window.findChild<QAbstractButton*>(gui::control_name(gui::kIdMarkDone))->click();
                settle(window);
              }));
  std::printf("window  scroll to the end:      %8.1f ms\n", median_ms(kRuns, [&] {
                window.list_view()->scrollToBottom();
                settle(window);
                window.list_view()->scrollToTop();
                settle(window);
              }));
  f.program->close_viewer();
  return 0;
}
