#pragma once
// The headless `virements` sub-command: the transfer list of the rows the export would write,
// one line per bank transfer, optionally matched with a bank statement.

#include <cstdio>

namespace noemie::cli {

// Runs `virements [options] FOLDER`; argv[0] is "virements". The same filters, output rules,
// fault lines and exit statuses as the export; a statement (--releve) that cannot be read is
// one line on standard error and exit status 2, nothing written.
int run_virements_command(int argc, char** argv);

// `noemie-viewer virements --help`.
void print_virements_help(std::FILE* out);

}  // namespace noemie::cli
