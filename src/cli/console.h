#pragma once
// The command line's side of the platform: its arguments, and the console or files its
// output and fault lines go to.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace noemie::cli {

// Makes the standard streams of a sub-command usable, before anything is written. On Windows
// a program without a console of its own (one of the GUI subsystem) that was started from a
// console, with its output not redirected, writes to that console; and standard output and
// error are put in binary mode, so that the export's bytes go out as they are (no carriage
// return is added before a line feed). Nothing to do on POSIX.
void prepare_standard_streams();

// The `argc` arguments of `argv` as native text (see core/platform/path_text.h): the bytes
// given on POSIX; on Windows UTF-8, taken from the wide command line so that a name outside
// the system's code page arrives whole.
std::vector<std::string> command_arguments(int argc, char** argv);

// Writes `text` (native text) to `stream` and flushes it; false when that failed. A Windows
// console gets the text as UTF-16, so that accents show whatever its code page; files and
// pipes get the bytes.
bool write_text(std::FILE* stream, std::string_view text);

// True when `stream` is a terminal (a console on Windows), not a file or a pipe.
bool is_terminal(std::FILE* stream);

}  // namespace noemie::cli
