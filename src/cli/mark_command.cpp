#include "cli/mark_command.h"

#include <exception>
#include <memory>
#include <string_view>

#include "cli/command_options.h"
#include "cli/export_command.h"
#include "cli/headless_dialogs.h"
#include "cli/headless_run.h"
#include "core/platform/path_text.h"
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
  return usage_error_of<MarkRequest>("mark", message);
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
    print_error("the marks were not saved in " + platform::path_to_native_text(saved.file) + ": " +
                saved.error);
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
  static_cast<CommandOutcome&>(request) = line;
  if (request.outcome != CommandOutcome::Outcome::Run) return request;
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
  // The flag file is only ever replaced whole.
  return run_command(argc, argv, parse_mark_arguments, print_mark_help, mark,
                     "the marks were not saved");
}

}  // namespace noemie::cli
