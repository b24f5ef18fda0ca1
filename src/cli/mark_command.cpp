#include "cli/mark_command.h"

#include <exception>
#include <memory>
#include <string_view>

#include "cli/command_options.h"
#include "cli/export_command.h"
#include "cli/headless_dialogs.h"
#include "cli/headless_run.h"
#include "core/store/flag_store.h"
#include "core/store/settings.h"

namespace noemie::cli {
namespace {

enum OptionId : int {
  kState = 256,
  kHelp = kHelpOption,
};

constexpr option kLongOptions[] = {
    {"state", required_argument, nullptr, kState},
    {"help", no_argument, nullptr, kHelp},
    {nullptr, 0, nullptr, 0},
};

MarkRequest usage_error(std::string_view message) {
  MarkRequest request;
  request.outcome = MarkRequest::Outcome::UsageError;
  request.error = usage_error_text("mark", message);
  return request;
}

int mark(const MarkRequest& request) {
  HeadlessDialogs dialogs;
  const std::unique_ptr<store::Registry> registry = open_settings_store();
  store::Settings settings(*registry, dialogs, program_file());
  settings.lit_config();
  store::FlagStore flags(*registry, dialogs);
  // The states as a viewer would load them, so that states still to be converted from the
  // registry bitmap reach the file with these marks.
  flags.lit_info_traite(settings.config, false);
  for (const std::uint64_t n : request.numbers) flags.rsp_traite_set_(n, request.state);
  const store::FlagSaveResult saved = flags.ecrit_info_traite(settings.config);
  if (!saved.saved) {
    print_error("the marks were not saved in " + saved.file.string() + ": " + saved.error);
    return kExitNotWritten;
  }
  return kExitWritten;
}

}  // namespace

MarkRequest parse_mark_arguments(std::span<const std::string> args) {
  MarkRequest request;
  const CommandLine line =
      read_command_line("mark", args, kLongOptions,
                        [&](int id, std::string_view value) -> std::optional<std::string> {
                          if (id != kState) return "unexpected option";
                          const auto state = number_in_range(value, 0, 3);
                          if (!state)
                            return bad_value_text(kLongOptions, id, "0, 1, 2 or 3", value);
                          request.state = static_cast<int>(*state);
                          return std::nullopt;
                        });
  switch (line.outcome) {
    case CommandLine::Outcome::Help:
      request.outcome = MarkRequest::Outcome::Help;
      return request;
    case CommandLine::Outcome::UsageError:
      request.outcome = MarkRequest::Outcome::UsageError;
      request.error = line.error;
      return request;
    case CommandLine::Outcome::Run:
      break;
  }
  if (line.operands.empty()) return usage_error("missing NUMBER");
  for (const std::string& operand : line.operands) {
    const auto n = number_in_range(operand, 0, static_cast<long long>(store::kMaxStoredFileNumber));
    if (!n) {
      return usage_error("NUMBER is a file number from 0 to 99999999, not " + in_quotes(operand));
    }
    request.numbers.push_back(static_cast<std::uint64_t>(*n));
  }
  return request;
}

int run_mark_command(int argc, char** argv) {
  try {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const MarkRequest request = parse_mark_arguments(args);
    switch (request.outcome) {
      case MarkRequest::Outcome::Help:
        print_mark_help(stdout);
        return std::fflush(stdout) == 0 ? kExitWritten : kExitNotWritten;
      case MarkRequest::Outcome::UsageError:
        print_error(request.error);
        return kExitUsage;
      case MarkRequest::Outcome::Run:
        break;
    }
    return mark(request);
  } catch (const std::exception& e) {
    // The flag file is only ever replaced whole.
    print_error(std::string("the marks were not saved: ") + e.what());
    return kExitNotWritten;
  }
}

}  // namespace noemie::cli
