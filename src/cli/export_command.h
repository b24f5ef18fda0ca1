#pragma once
// The headless `export` sub-command: fills the list for a folder exactly as the viewer does
// and writes it in one of the three export formats, without any display.

#include <cstdio>

namespace noemie::cli {

// Runs `export [options] FOLDER`; argv[0] is "export". Returns the process exit status:
// 0 written, 1 the output could not be written, 2 usage error or bad folder.
int run_export_command(int argc, char** argv);

// `noemie-viewer --help` and `--version`.
void print_program_help(std::FILE* out);
void print_version(std::FILE* out);

}  // namespace noemie::cli
