// A program that prepares its standard streams as a sub-command does and writes through them;
// on Windows it is of the windowed kind (no console of its own), as the viewer's program is.

#include <cstdio>

#include "cli/console.h"

int main() {
  noemie::cli::prepare_standard_streams();
  std::fwrite("a\nb\x80", 1, 4, stdout);
  std::fflush(stdout);
  return noemie::cli::write_text(stderr, "caf\xC3\xA9\n") ? 0 : 1;
}
