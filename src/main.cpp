// The program: `noemie-viewer export ...`, `summary ...`, `virements ...` and `mark ...` run
// the headless commands, anything else the desktop viewer. The arguments, and whether a window can
// be opened at all, are settled before any GUI object exists.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/console.h"
#include "cli/export_command.h"
#include "cli/headless_run.h"
#include "cli/mark_command.h"
#include "cli/program_entry.h"
#include "cli/summary_command.h"
#include "cli/virements_command.h"
#include "core/platform/heap_room.h"
#ifdef NOEMIE_HAVE_GUI
#include "cli/desktop_module.h"
#endif
#ifdef NOEMIE_HAVE_WIN32
#include "win32/desktop_main.h"
#endif

int main(int argc, char** argv) {
  namespace cli = noemie::cli;
  using Action = cli::ProgramEntry::Action;
  // Before any thread: the reading threads of a fill allocate from the heap the rest uses,
  // on large pages from the start (even a small folder's listing and rows then cost the system
  // fewer faults than on small pages).
  noemie::platform::share_one_heap();
  noemie::platform::expect_heap_use(noemie::platform::kLargePageHeap);
  // The arguments as native text (whole on Windows, whatever the system's code page).
  std::vector<std::string> args = cli::command_arguments(argc, argv);
  if (!args.empty()) args.erase(args.begin());
  const cli::ProgramEntry entry = cli::choose_program_entry(args);
  if (entry.action != Action::Desktop) cli::prepare_standard_streams();
  switch (entry.action) {
    case Action::Export:
      return cli::run_export_command(argc - 1, argv + 1);
    case Action::Mark:
      return cli::run_mark_command(argc - 1, argv + 1);
    case Action::Summary:
      return cli::run_summary_command(argc - 1, argv + 1);
    case Action::Virements:
      return cli::run_virements_command(argc - 1, argv + 1);
    case Action::Help:
      cli::print_program_help(stdout);
      return 0;
    case Action::Version:
      cli::print_version(stdout);
      return 0;
    case Action::UsageError:
    case Action::NoDisplay:
      cli::print_error(entry.message);
      return cli::kExitUsage;
    case Action::Desktop:
      break;
  }
#if defined(NOEMIE_HAVE_GUI)
  return cli::run_desktop_module(argc, argv);
#elif defined(NOEMIE_HAVE_WIN32)
  return noemie::win32::run_desktop(args);
#else
  cli::prepare_standard_streams();
  cli::print_error("this build has no desktop viewer; use the export command");
  return cli::kExitUsage;
#endif
}
