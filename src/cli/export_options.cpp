#include "cli/export_options.h"

#include <string_view>

#include "cli/command_options.h"

namespace noemie::cli {
namespace {

// getopt_long values of the long options; above any character so they never clash with -h.
enum OptionId : int {
  kFormat = 256,
  kOutput,
  kKind,
  kAge,
  kMask,
  kAbrege,
  kNoAbrege,
  kSort,
  kFind,
  kReleve,
  kHelp = kHelpOption,
};

constexpr option kLongOptions[] = {
    {"format", required_argument, nullptr, kFormat},
    {"output", required_argument, nullptr, kOutput},
    {"kind", required_argument, nullptr, kKind},
    {"age", required_argument, nullptr, kAge},
    {"mask", required_argument, nullptr, kMask},
    {"abrege", no_argument, nullptr, kAbrege},
    {"no-abrege", no_argument, nullptr, kNoAbrege},
    {"sort", required_argument, nullptr, kSort},
    {"find", required_argument, nullptr, kFind},
    {"help", no_argument, nullptr, kHelp},
    {nullptr, 0, nullptr, 0},
};

// The transfer list takes the export's options but the sorts, and a bank statement.
constexpr option kVirementsOptions[] = {
    {"format", required_argument, nullptr, kFormat},
    {"output", required_argument, nullptr, kOutput},
    {"kind", required_argument, nullptr, kKind},
    {"age", required_argument, nullptr, kAge},
    {"mask", required_argument, nullptr, kMask},
    {"abrege", no_argument, nullptr, kAbrege},
    {"no-abrege", no_argument, nullptr, kNoAbrege},
    {"find", required_argument, nullptr, kFind},
    {"releve", required_argument, nullptr, kReleve},
    {"help", no_argument, nullptr, kHelp},
    {nullptr, 0, nullptr, 0},
};

// The summary takes the options that choose the rows.
constexpr option kSummaryOptions[] = {
    {"kind", required_argument, nullptr, kKind},    {"age", required_argument, nullptr, kAge},
    {"mask", required_argument, nullptr, kMask},    {"abrege", no_argument, nullptr, kAbrege},
    {"no-abrege", no_argument, nullptr, kNoAbrege}, {"find", required_argument, nullptr, kFind},
    {"help", no_argument, nullptr, kHelp},          {nullptr, 0, nullptr, 0},
};

std::optional<viewer::ExportMode> format_named(std::string_view text) {
  if (text == "text") return viewer::ExportMode::Text;
  if (text == "excel") return viewer::ExportMode::Excel;
  if (text == "html") return viewer::ExportMode::Html;
  return std::nullopt;
}

ParsedArguments usage_error(std::string_view command, std::string_view message) {
  return usage_error_of<ParsedArguments>(command, message);
}

// Applies the value of option `id`; an error message when the value is not one it takes.
std::optional<std::string> apply_option(int id, std::string_view value, ExportOptions& options) {
  const auto bad_value = [&](std::string_view expected) {
    return bad_value_text(kLongOptions, id, expected, value);
  };
  switch (id) {
    case kFormat: {
      const auto mode = format_named(value);
      options.pdf = value == "pdf";
      if (options.pdf) return std::nullopt;
      if (!mode) return bad_value("text, excel, html or pdf");
      options.mode = *mode;
      return std::nullopt;
    }
    case kOutput:
      options.output = std::string(value);
      return std::nullopt;
    case kKind:
    case kAge: {
      const auto n = number_in_range(value, 0, 3);
      if (!n) return bad_value("0, 1, 2 or 3");
      (id == kKind ? options.type_liste : options.type_date) = static_cast<int>(*n);
      return std::nullopt;
    }
    case kMask: {
      const auto n = number_in_range(value, 0, 255);
      if (!n) return bad_value("a number from 0 to 255");
      options.kind_mask = static_cast<int>(*n);
      return std::nullopt;
    }
    case kAbrege:
    case kNoAbrege:
      options.abrege = id == kAbrege;
      return std::nullopt;
    case kSort: {
      const auto n = number_in_range(value, 0, 16);
      if (!n) return bad_value("a column number from 0 to 16");
      options.sorts.push_back(static_cast<int>(*n));
      return std::nullopt;
    }
    case kFind:
      options.find = std::string(value);
      return std::nullopt;
    case kReleve:
      if (value.empty()) return std::string("--releve needs a file name");
      options.statement = std::string(value);
      return std::nullopt;
    default:
      return "unexpected option";
  }
}

ParsedArguments parse_list_arguments(std::string_view command, std::span<const std::string> args,
                                     const option* options) {
  ParsedArguments result;
  const CommandLine line = read_command_line(
      command, args, options,
      [&](int id, std::string_view value) { return apply_option(id, value, result.options); });
  static_cast<CommandOutcome&>(result) = line;
  if (result.outcome != CommandOutcome::Outcome::Run) return result;
  if (line.operands.empty()) return usage_error(command, "missing FOLDER");
  if (line.operands.size() > 1) {
    return usage_error(command,
                       "only one FOLDER may be given, not also " + in_quotes(line.operands[1]));
  }
  result.options.folder = line.operands[0];
  return result;
}

}  // namespace

ParsedArguments parse_export_arguments(std::span<const std::string> args) {
  return parse_list_arguments("export", args, kLongOptions);
}

ParsedArguments parse_summary_arguments(std::span<const std::string> args) {
  return parse_list_arguments("summary", args, kSummaryOptions);
}

ParsedArguments parse_virements_arguments(std::span<const std::string> args) {
  return parse_list_arguments("virements", args, kVirementsOptions);
}

}  // namespace noemie::cli
