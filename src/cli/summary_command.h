#pragma once
// The headless `summary` sub-command: the summary line of the window, for scripts.

#include <cstdio>

namespace noemie::cli {

// Runs `summary [options] FOLDER`; argv[0] is "summary". Prints eight lines on standard
// output ("lignes N", "fichiers N", "paiements N", "rejets N", "autres N", "total E", "amo E",
// "amc E"; euros with two decimals and a point). Faults and errors go to standard error as
// the export's do, with the same exit statuses.
int run_summary_command(int argc, char** argv);

// `noemie-viewer summary --help`.
void print_summary_help(std::FILE* out);

}  // namespace noemie::cli
