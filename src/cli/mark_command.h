#pragma once
// The headless `mark` sub-command: sets the processed state of return files, by file number,
// in the flag file the viewer uses ("RSPstate.dat" in the folder of the `path_arch` setting,
// else in the current folder), under the same lock and with the same merge as a viewer that
// closes, so that neither undoes the other's marks. For a practice's accounting script.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "cli/command_options.h"

namespace noemie::cli {

// What `mark [--state N] NUMBER...` was asked to do; `state` and `numbers` when Run.
struct MarkRequest : CommandOutcome {
  int state = 1;                       // --state 0..3; 1 "traités"
  std::vector<std::uint64_t> numbers;  // file numbers 0 to 99,999,999, in the order given
};

// Reads the arguments that follow "mark", in the option style of `export`.
MarkRequest parse_mark_arguments(std::span<const std::string> args);

// Runs `mark [options] NUMBER...`; argv[0] is "mark". Returns the exit status: 0 the flag file
// holds the marks, 1 it could not be written (one line on standard error says why), 2 usage
// error.
int run_mark_command(int argc, char** argv);

}  // namespace noemie::cli
