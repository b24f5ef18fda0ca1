#pragma once
// What the headless commands share: their exit statuses, their one-line messages on standard
// error, the way they run, the running program's file, and the settings store opened
// read-only (a command never changes settings).

#include <cstdio>
#include <exception>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_options.h"
#include "cli/console.h"
#include "core/store/registry.h"

namespace noemie::cli {

// Exit statuses of the headless commands.
inline constexpr int kExitWritten = 0;     // the export (the marks) was written
inline constexpr int kExitNotWritten = 1;  // the output (the flag file) could not be written
inline constexpr int kExitUsage = 2;       // usage error, or FOLDER is not a readable folder

// Writes "noemie-viewer: LINE" and a line feed to standard error, in one write (to a Windows
// console as text, so that accents show).
void print_error(const std::string& line);

// Runs a command from its argv (argv[0] is the command's name): `parse` reads the arguments
// into a request (a CommandOutcome), --help prints `help`, a usage error is one line and
// kExitUsage, and `run` does the rest and gives the exit status. An exception that escapes is
// one line, "<not_done>: <what>", and kExitNotWritten.
template <typename Parse, typename Help, typename Run>
int run_command(int argc, char** argv, Parse parse, Help help, Run run, std::string_view not_done) {
  try {
    std::vector<std::string> args = command_arguments(argc, argv);
    if (!args.empty()) args.erase(args.begin());  // the command's name
    const auto request = parse(std::span<const std::string>(args));
    switch (request.outcome) {
      case CommandOutcome::Outcome::Help:
        help(stdout);
        return std::fflush(stdout) == 0 ? kExitWritten : kExitNotWritten;
      case CommandOutcome::Outcome::UsageError:
        print_error(request.error);
        return kExitUsage;
      case CommandOutcome::Outcome::Run:
        break;
    }
    return run(request);
  } catch (const std::exception& e) {
    print_error(std::string(not_done) + ": " + e.what());
    return kExitNotWritten;
  }
}

// The running program's file, as the fund directory lookup and `rep_VL` want it ("" when the
// platform does not say).
std::string program_file();

// The settings store, opened read-only: nothing a run changes ever reaches it. The settings
// file that $NOEMIE_VIEWER_SETTINGS names, else: on Windows a copy of the registry's keys;
// elsewhere the usual settings file, or the defaults in memory when nothing gives it a path.
std::unique_ptr<store::Registry> open_settings_store();

}  // namespace noemie::cli
