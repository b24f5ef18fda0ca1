#pragma once
// The headless `export` sub-command: fills the list for a folder exactly as the viewer does
// and writes it in one of the three export formats, without any display.

#include <cstdio>

namespace noemie::cli {

// Runs `export [options] FOLDER`; argv[0] is "export". Faults in return files and every
// error go to standard error, one line each; the export goes to standard output or the
// --output file. Returns the process exit status (kExit...).
int run_export_command(int argc, char** argv);

// `noemie-viewer --help`: how to call the program.
void print_program_help(std::FILE* out);
// `noemie-viewer export --help`: the export command's options.
void print_export_help(std::FILE* out);
// `noemie-viewer mark --help`: the mark command's options.
void print_mark_help(std::FILE* out);
// `noemie-viewer --version`: "noemie-viewer 1.1.3".
void print_version(std::FILE* out);

}  // namespace noemie::cli
