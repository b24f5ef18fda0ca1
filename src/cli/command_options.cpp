#include "cli/command_options.h"

#include <charconv>
#include <system_error>

namespace noemie::cli {

std::string usage_error_text(std::string_view command, std::string_view message) {
  return std::string(message) + " (see noemie-viewer " + std::string(command) + " --help)";
}

std::string bad_value_text(const option* long_options, int id, std::string_view expected,
                           std::string_view value) {
  std::string_view name = "?";
  for (const option* o = long_options; o->name != nullptr; ++o) {
    if (o->val == id) name = o->name;
  }
  return "--" + std::string(name) + " takes " + std::string(expected) + ", not " + in_quotes(value);
}

std::optional<long long> number_in_range(std::string_view text, long long low, long long high) {
  if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
  long long value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < low || value > high) return std::nullopt;
  return value;
}

std::string in_quotes(std::string_view text) {
  return "'" + std::string(text) + "'";
}

CommandLine read_command_line(std::string_view command, std::span<const std::string> args,
                              const option* long_options, const OptionHandler& take) {
  // getopt_long wants a writable argument vector with the program's name first; it reorders
  // the pointers, never the texts.
  std::vector<std::string> texts;
  texts.reserve(args.size() + 1);
  texts.emplace_back(command);
  texts.insert(texts.end(), args.begin(), args.end());
  std::vector<char*> argv;
  argv.reserve(texts.size() + 1);
  for (std::string& t : texts) argv.push_back(t.data());
  argv.push_back(nullptr);
  const int argc = static_cast<int>(texts.size());

  CommandLine result;
  const auto usage_error = [&](const std::string& message) {
    result.outcome = CommandLine::Outcome::UsageError;
    result.error = usage_error_text(command, message);
    return result;
  };
  // optind 0 makes getopt_long start afresh, so that arguments can be read more than once in
  // one process (the tests do); opterr 0 keeps its own messages off standard error.
  optind = 0;
  opterr = 0;
  for (;;) {
    const int id = getopt_long(argc, argv.data(), ":h", long_options, nullptr);
    if (id == -1) break;
    if (id == kHelpOption) {
      result.outcome = CommandLine::Outcome::Help;
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
    if (auto error = take(id, optarg != nullptr ? optarg : "")) return usage_error(*error);
  }
  for (int i = optind; i < argc; ++i)
    result.operands.emplace_back(argv[static_cast<std::size_t>(i)]);
  return result;
}

}  // namespace noemie::cli
