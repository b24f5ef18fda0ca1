#pragma once
// The reading of a sub-command's arguments, shared by `export` and `mark`: GNU-style long
// options through getopt_long (in any order with the operands, values after a blank or "=",
// unambiguous shortening, "--" ending the options), "-h"/"--help", and one-line usage errors
// that end with " (see noemie-viewer COMMAND --help)".

#include <getopt.h>

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace noemie::cli {

// The value getopt_long gives the help option; every command's option table has it.
inline constexpr int kHelpOption = 'h';

// What reading a command's arguments came to.
struct CommandOutcome {
  enum class Outcome {
    Run,         // the request is complete
    Help,        // --help (or -h) was met before any usage error
    UsageError,  // `error` says what is wrong, in one line
  };
  Outcome outcome = Outcome::Run;
  std::string error;
};

struct CommandLine : CommandOutcome {
  std::vector<std::string> operands;  // when Run
};

// Takes one option (its id in the table, and its value or ""); returns why the value is not
// one the option takes, or nothing.
using OptionHandler = std::function<std::optional<std::string>(int id, std::string_view value)>;

// Reads the arguments that follow the sub-command `command` against `long_options` (a
// getopt_long table ended by a zero entry), giving each option to `take` as it is met: the
// first usage error met, in the order of the arguments, is the one reported.
CommandLine read_command_line(std::string_view command, std::span<const std::string> args,
                              const option* long_options, const OptionHandler& take);

// "MESSAGE (see noemie-viewer COMMAND --help)".
std::string usage_error_text(std::string_view command, std::string_view message);

// A `Request` (a CommandOutcome) that is the usage error `message` of `command`.
template <typename Request>
Request usage_error_of(std::string_view command, std::string_view message) {
  Request request;
  request.outcome = CommandOutcome::Outcome::UsageError;
  request.error = usage_error_text(command, message);
  return request;
}

// "--NAME takes EXPECTED, not 'VALUE'", NAME being the long name of option `id`.
std::string bad_value_text(const option* long_options, int id, std::string_view expected,
                           std::string_view value);

// A whole decimal number from `low` to `high`; nothing for any other text (signs, blanks,
// trailing characters, out of range).
std::optional<long long> number_in_range(std::string_view text, long long low, long long high);

// 'TEXT', for messages.
std::string in_quotes(std::string_view text);

}  // namespace noemie::cli
