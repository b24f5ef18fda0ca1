#include "cli/program_entry.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace noemie::cli {
namespace {

using Action = ProgramEntry::Action;

struct Case {
  std::vector<std::string> args;
  std::map<std::string, std::string> env;
  Action action;
};

TEST(ProgramEntry, CommandsToolkitOptionsAndTheDisplay) {
  const std::map<std::string, std::string> x11 = {{"DISPLAY", ":0"}};
  const Case cases[] = {
      {{"export", "--kind", "9"}, {}, Action::Export},
      {{"mark", "1"}, {}, Action::Mark},
      {{"--help"}, {}, Action::Help},
      {{"/srv/retours", "-h"}, {}, Action::Help},
      {{"--version"}, {}, Action::Version},
      {{}, x11, Action::Desktop},
      {{"/srv/retours"}, x11, Action::Desktop},
      {{"no-such-folder"}, x11, Action::Desktop},  // the viewer says it is not a folder
      {{"-style", "fusion", "--reverse", "/srv/retours", "-qwindowtitle=x"}, x11, Action::Desktop},
      {{"--", "-folder-with-a-dash"}, x11, Action::Desktop},
      {{"/srv/retours"}, {}, Action::NoDisplay},
      {{"/srv/retours"}, {{"DISPLAY", ""}}, Action::NoDisplay},
      {{"/srv/retours"}, {{"QT_QPA_PLATFORM", "xcb"}}, Action::NoDisplay},
      {{"/srv/retours"}, {{"WAYLAND_DISPLAY", "wayland-0"}}, Action::Desktop},
      {{"/srv/retours"}, {{"QT_QPA_PLATFORM", "offscreen"}}, Action::Desktop},
      {{"/srv/retours"}, {{"QT_QPA_PLATFORM", "xcb;minimal:enable_fonts"}}, Action::Desktop},
      {{"-platform", "offscreen", "/srv/retours"}, {}, Action::Desktop},
      {{"-display", ":1"}, {}, Action::Desktop},
      {{"-platform"}, x11, Action::UsageError},
      {{"--state", "1"}, x11, Action::UsageError},
      {{"/srv/retours", "/srv/autres"}, x11, Action::UsageError},
      {{"mrak", "--state", "1"}, x11, Action::UsageError},
  };
  for (const Case& c : cases) {
    const ProgramEntry entry = choose_program_entry(
        c.args,
        [&](std::string_view name) -> std::optional<std::string> {
          const auto it = c.env.find(std::string(name));
          return it == c.env.end() ? std::nullopt : std::optional<std::string>(it->second);
        },
        [](const std::string& path) { return path.starts_with("/srv/"); });
    std::string shown;
    for (const auto& a : c.args) shown += "[" + a + "] ";
#ifdef __linux__
    const Action expected = c.action;
#else  // the system's own windowing is always there
    const Action expected = c.action == Action::NoDisplay ? Action::Desktop : c.action;
#endif
    EXPECT_EQ(entry.action, expected) << shown << entry.message;
    EXPECT_EQ(entry.message.empty(),
              expected != Action::UsageError && expected != Action::NoDisplay)
        << shown;
  }
}

}  // namespace
}  // namespace noemie::cli
