#pragma once
// Runs a program as a child process, in a chosen folder and environment, and captures its
// standard output and standard error byte for byte; for tests of the command line.

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace noemie::testing {

struct ProgramRun {
  std::filesystem::path program;
  std::vector<std::string> args;  // after the program's name
  std::filesystem::path cwd;      // the child's current folder; empty keeps ours
  // Environment changes over ours: a value sets the variable, nullopt removes it.
  std::map<std::string, std::optional<std::string>> env;
  // Standard output goes to this file instead of being captured (e.g. "/dev/full").
  std::optional<std::filesystem::path> stdout_file;
};

struct ProgramResult {
  int exit_code = -1;  // the exit status, or 128 + the signal that ended the child
  std::string out;     // standard output (empty when sent to stdout_file)
  std::string err;     // standard error
};

// Runs the program to its end; standard input is empty. Throws std::runtime_error when the
// child cannot be started.
ProgramResult run_program(const ProgramRun& run);

}  // namespace noemie::testing
