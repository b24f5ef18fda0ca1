#include "cli/export_command.h"

namespace noemie::cli {

int run_export_command(int /*argc*/, char** /*argv*/) {
  std::fputs("noemie-viewer: export is not available yet\n", stderr);
  return 2;
}

void print_program_help(std::FILE* out) {
  std::fputs("Usage: noemie-viewer [FOLDER]\n       noemie-viewer export [options] FOLDER\n", out);
}

void print_version(std::FILE* out) { std::fputs("noemie-viewer 1.1.3\n", out); }

}  // namespace noemie::cli
