#include "cli/program_entry.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>

#include "cli/command_options.h"

namespace noemie::cli {
namespace {

using Action = ProgramEntry::Action;

// The toolkit's options that take a value (as the next argument or after "=") and those that
// take none; each may be written with one dash or two.
constexpr std::array<std::string_view, 14> kValueOptions = {
    "platform",    "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",       "display", "geometry",
    "style",       "stylesheet",         "name",          "title"};
constexpr std::array<std::string_view, 8> kFlagOptions = {
    "reverse", "widgetcount", "nograb", "dograb", "sync", "qmljsdebugger", "dialogs", "fontengine"};

template <std::size_t N>
bool is_one_of(std::string_view name, const std::array<std::string_view, N>& names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

ProgramEntry usage_error(std::string_view message) {
  return {Action::UsageError, std::string(message) + " (see noemie-viewer --help)"};
}

#ifdef __linux__
// Platforms that draw without any display server.
constexpr std::array<std::string_view, 7> kHeadlessPlatforms = {
    "offscreen", "minimal", "minimalegl", "eglfs", "linuxfb", "vnc", "vkkhrdisplay"};

constexpr std::string_view kNoDisplay =
    "no display found (neither DISPLAY nor WAYLAND_DISPLAY is set); "
    "'noemie-viewer export FOLDER' lists a folder without one";

// True when one of the platforms of a list such as "xcb;offscreen" (each possibly followed by
// ":options") works without a display.
bool headless_platform(std::string_view platforms) {
  while (!platforms.empty()) {
    const std::size_t end = platforms.find(';');
    const std::string_view entry = platforms.substr(0, end);
    if (is_one_of(entry.substr(0, entry.find(':')), kHeadlessPlatforms)) return true;
    if (end == std::string_view::npos) break;
    platforms.remove_prefix(end + 1);
  }
  return false;
}

bool is_set(const store::EnvironmentLookup& env, std::string_view name) {
  const auto value = env(name);
  return value && !value->empty();
}
#endif

ProgramEntry desktop_entry(std::span<const std::string> args, const store::EnvironmentLookup& env,
                           const PathCheck& exists) {
  if (args.size() > 1 && !args[0].starts_with('-') && !exists(args[0])) {
    return usage_error("unknown command " + in_quotes(args[0]));
  }
  std::optional<std::string> platform;
  bool display_given = false;
  std::vector<std::string_view> operands;
  bool options_ended = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (options_ended || arg.size() < 2 || arg[0] != '-') {
      operands.push_back(arg);
      continue;
    }
    if (arg == "--") {
      options_ended = true;
      continue;
    }
    if (arg == "-h" || arg == "--help") return {Action::Help, {}};
    if (arg == "--version") return {Action::Version, {}};
    std::string_view name = arg.substr(arg.starts_with("--") ? 2 : 1);
    std::optional<std::string_view> value;
    if (const std::size_t eq = name.find('='); eq != std::string_view::npos) {
      value = name.substr(eq + 1);
      name = name.substr(0, eq);
    }
    if (is_one_of(name, kValueOptions)) {
      if (!value) {
        if (i + 1 == args.size()) return usage_error("option " + in_quotes(arg) + " needs a value");
        value = args[++i];
      }
      if (name == "platform") platform = std::string(*value);
      if (name == "display") display_given = true;
    } else if (!is_one_of(name, kFlagOptions)) {
      return usage_error("unknown option " + in_quotes(arg));
    }
  }
  if (operands.size() > 1) {
    return usage_error("only one FOLDER may be given, not also " + in_quotes(operands[1]));
  }
#ifdef __linux__
  if (!platform) platform = env("QT_QPA_PLATFORM");
  const bool display = display_given || is_set(env, "DISPLAY") || is_set(env, "WAYLAND_DISPLAY") ||
                       (platform && headless_platform(*platform));
  if (!display) return {Action::NoDisplay, std::string(kNoDisplay)};
#else
  // Elsewhere the platform's own windowing is always there.
  (void)env;
  (void)platform;
  (void)display_given;
#endif
  return {Action::Desktop, {}};
}

}  // namespace

ProgramEntry choose_program_entry(std::span<const std::string> args,
                                  const store::EnvironmentLookup& env, const PathCheck& exists) {
  const std::string_view first = args.empty() ? std::string_view() : std::string_view(args[0]);
  if (first == "export") return {Action::Export, {}};
  if (first == "mark") return {Action::Mark, {}};
  if (first == "summary") return {Action::Summary, {}};
  if (first == "virements") return {Action::Virements, {}};
  return desktop_entry(args, env, exists);
}

ProgramEntry choose_program_entry(std::span<const std::string> args) {
  return choose_program_entry(
      args,
      [](std::string_view name) -> std::optional<std::string> {
        const char* v = std::getenv(std::string(name).c_str());
        return v ? std::optional<std::string>(v) : std::nullopt;
      },
      [](const std::string& path) {
        std::error_code ec;
        return std::filesystem::exists(std::filesystem::symlink_status(path, ec));
      });
}

}  // namespace noemie::cli
