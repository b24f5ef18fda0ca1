#include "cli/export_options.h"

#include <getopt.h>

#include <charconv>
#include <string_view>
#include <system_error>

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
  kHelp = 'h',
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
    {"help", no_argument, nullptr, kHelp},
    {nullptr, 0, nullptr, 0},
};

// The name of a long option, for messages.
std::string_view option_name(int id) {
  for (const option& o : kLongOptions) {
    if (o.name != nullptr && o.val == id) return o.name;
  }
  return "?";
}

// A whole decimal number from `low` to `high`; nothing for any other text (signs, blanks,
// trailing characters, out of range).
std::optional<int> number_in_range(std::string_view text, int low, int high) {
  if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < low || value > high) return std::nullopt;
  return value;
}

std::optional<viewer::ExportMode> format_named(std::string_view text) {
  if (text == "text") return viewer::ExportMode::Text;
  if (text == "excel") return viewer::ExportMode::Excel;
  if (text == "html") return viewer::ExportMode::Html;
  return std::nullopt;
}

std::string in_quotes(std::string_view text) {
  return "'" + std::string(text) + "'";
}

constexpr std::string_view kSeeHelp = " (see noemie-viewer export --help)";

ParsedArguments usage_error(std::string message) {
  ParsedArguments result;
  result.outcome = ParsedArguments::Outcome::UsageError;
  result.error = std::move(message);
  result.error += kSeeHelp;
  return result;
}

// Applies the value of option `id`; an error message when the value is not one it takes.
std::optional<std::string> apply_option(int id, std::string_view value, ExportOptions& options) {
  const auto bad_value = [&](std::string_view expected) {
    return "--" + std::string(option_name(id)) + " takes " + std::string(expected) + ", not " +
           in_quotes(value);
  };
  switch (id) {
    case kFormat: {
      const auto mode = format_named(value);
      if (!mode) return bad_value("text, excel or html");
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
      (id == kKind ? options.type_liste : options.type_date) = *n;
      return std::nullopt;
    }
    case kMask: {
      const auto n = number_in_range(value, 0, 255);
      if (!n) return bad_value("a number from 0 to 255");
      options.kind_mask = *n;
      return std::nullopt;
    }
    case kAbrege:
    case kNoAbrege:
      options.abrege = id == kAbrege;
      return std::nullopt;
    case kSort: {
      const auto n = number_in_range(value, 0, 16);
      if (!n) return bad_value("a column number from 0 to 16");
      options.sorts.push_back(*n);
      return std::nullopt;
    }
    default:
      return "unexpected option";
  }
}

}  // namespace

ParsedArguments parse_export_arguments(std::span<const std::string> args) {
  // getopt_long wants a writable argument vector with the program's name first; it reorders
  // the pointers, never the texts.
  std::vector<std::string> texts;
  texts.reserve(args.size() + 1);
  texts.emplace_back("export");
  texts.insert(texts.end(), args.begin(), args.end());
  std::vector<char*> argv;
  argv.reserve(texts.size() + 1);
  for (std::string& t : texts) argv.push_back(t.data());
  argv.push_back(nullptr);
  const int argc = static_cast<int>(texts.size());

  ParsedArguments result;
  // optind 0 makes getopt_long start afresh, so that the arguments can be read more than once
  // in one process (the tests do); opterr 0 keeps its own messages off standard error.
  optind = 0;
  opterr = 0;
  for (;;) {
    const int id = getopt_long(argc, argv.data(), ":h", kLongOptions, nullptr);
    if (id == -1) break;
    if (id == kHelp) {
      result.outcome = ParsedArguments::Outcome::Help;
      return result;
    }
    const std::string_view last = argv[static_cast<std::size_t>(optind) - 1];
    // A value given to an option that takes none ("--abrege=1") is a missing value to some
    // getopt_long (MinGW's) and an unknown option to others (glibc's): it is the latter here.
    if (id == ':' && last.find('=') == std::string_view::npos) {
      return usage_error("option " + in_quotes(last) + " needs a value");
    }
    if (id == '?' || id == ':') {
      // A long option that is unknown, ambiguous or given a value it does not take is the last
      // argument read; an unknown short option is the character getopt_long names.
      const std::string shown = last.starts_with("--") || optopt == 0
                                    ? std::string(last)
                                    : "-" + std::string(1, static_cast<char>(optopt));
      return usage_error("unknown option " + in_quotes(shown));
    }
    if (auto error = apply_option(id, optarg != nullptr ? optarg : "", result.options)) {
      return usage_error(*error);
    }
  }

  const int operands = argc - optind;
  if (operands == 0) return usage_error("missing FOLDER");
  if (operands > 1) {
    return usage_error("only one FOLDER may be given, not also " +
                       in_quotes(argv[static_cast<std::size_t>(optind) + 1]));
  }
  result.options.folder = argv[static_cast<std::size_t>(optind)];
  return result;
}

}  // namespace noemie::cli
