// Shows the print preview of a folder's printout, as the export command lists the folder, and
// waits to be closed; it prints "shown" once the window is on the screen, so that a script can
// take its picture (scripts/windows-preview-pictures). A test program, never shipped.
//   preview_picture.exe FOLDER

#include <windows.h>

#include <chrono>
#include <cstdio>

#include "cli/headless_list.h"
#include "print/list_layout.h"
#include "win32/print_preview.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: preview_picture FOLDER\n");
    return 2;
  }
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  noemie::cli::ExportOptions options;
  options.folder = argv[1];
  noemie::cli::HeadlessList list(options);
  if (const auto status = list.fill()) return *status;
  const noemie::print::Document document = noemie::print::list_document(
      list.viewer(), noemie::print::local_date(std::chrono::system_clock::now()));
  noemie::win32::show_print_preview(nullptr, document, [](HWND preview) {
    UpdateWindow(preview);
    std::printf("shown\n");
    std::fflush(stdout);
  });
  return 0;
}
