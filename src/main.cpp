// The program: `noemie-viewer export ...` runs the headless export, anything else the
// desktop viewer. The export is dispatched before any GUI object exists.

#include <cstdio>
#include <string_view>

#include "cli/console.h"
#include "cli/export_command.h"
#ifdef NOEMIE_HAVE_GUI
#include "gui/desktop_main.h"
#endif

int main(int argc, char** argv) {
  const std::string_view first = argc > 1 ? std::string_view(argv[1]) : std::string_view();
  if (first == "export") return noemie::cli::run_export_command(argc - 1, argv + 1);
  if (first == "--help" || first == "-h") {
    noemie::cli::prepare_standard_streams();
    noemie::cli::print_program_help(stdout);
    return 0;
  }
  if (first == "--version") {
    noemie::cli::prepare_standard_streams();
    noemie::cli::print_version(stdout);
    return 0;
  }
#ifdef NOEMIE_HAVE_GUI
  return noemie::gui::run_desktop(argc, argv);
#else
  std::fputs("noemie-viewer: this build has no desktop viewer; use the export command\n", stderr);
  return 2;
#endif
}
