// Start-up: the order of its steps, the cancelled choice, and the folder of the command line.

#include "app/startup.h"

#include <gtest/gtest.h>

#include "core/platform/recording_dialogs.h"
#include "support/temp_dir.h"

namespace noemie::app {
namespace {

namespace fs = std::filesystem;
using Calls = std::vector<std::string>;

class RecordingProgram final : public DesktopProgram {
 public:
  Calls calls;
  fs::path folder = "/srv/retours/precedent";
  fs::path chosen;

  void load_settings() override { calls.push_back("load"); }
  fs::path folder_setting() const override { return folder; }
  void set_folder(const fs::path& f) override {
    calls.push_back("folder");
    chosen = f;
  }
  void run_viewer() override { calls.push_back("viewer"); }
  void save_settings() override { calls.push_back("save"); }
};

TEST(Startup, ChosenFolderRunsTheViewerThenSavesAndCancelWritesNothing) {
  for (const bool cancel : {false, true}) {
    RecordingProgram program;
    platform::RecordingDialogs dialogs;
    if (!cancel) dialogs.folder_answers.push_back(fs::path("/srv/retours/mai"));
    EXPECT_EQ(run_startup(program, dialogs, std::nullopt), cancel ? 1 : 0);
    EXPECT_EQ(program.calls, cancel ? Calls{"load"} : (Calls{"load", "folder", "viewer", "save"}));
    EXPECT_EQ(dialogs.folder_starts, std::vector<fs::path>{program.folder});
    EXPECT_EQ(program.chosen, cancel ? fs::path() : fs::path("/srv/retours/mai"));
  }
}

TEST(Startup, FolderOnTheCommandLineIsTakenOrNamedWhenMissing) {
  testing::TempDir dir;
  fs::create_directory(dir.path() / "retours");
  {
    RecordingProgram program;
    platform::RecordingDialogs dialogs;
    EXPECT_EQ(run_startup(program, dialogs, dir.path() / "retours" / ""), 0);
    EXPECT_TRUE(dialogs.folder_starts.empty());
    EXPECT_EQ(program.chosen, dir.path() / "retours");
    EXPECT_EQ(program.calls, (Calls{"load", "folder", "viewer", "save"}));
  }
  {
    RecordingProgram program;
    platform::RecordingDialogs dialogs;
    const fs::path missing = dir.path() / "absent";
    EXPECT_EQ(run_startup(program, dialogs, missing), 1);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_NE(dialogs.boxes[0].text.find(missing.string()), std::string::npos);
    EXPECT_EQ(dialogs.boxes[0].icon, platform::MessageIcon::Warning);
    EXPECT_EQ(dialogs.folder_starts.size(), 1u);
    EXPECT_EQ(program.calls, Calls{"load"});
  }
}

TEST(Startup, FolderAsChosenIsAbsoluteWithoutTrailingSeparator) {
  const fs::path cwd = fs::current_path();
  const fs::path root = cwd.root_path();
  const struct {
    fs::path given;
    fs::path expected;
  } cases[] = {
      {root / "srv" / "retours", root / "srv" / "retours"},
      {root / "srv" / "retours" / "", root / "srv" / "retours"},
      {root / "srv" / "." / "retours" / ".." / "retours" / "", root / "srv" / "retours"},
      {root, root},
      {"samples", cwd / "samples"},
  };
  for (const auto& c : cases) EXPECT_EQ(folder_as_chosen(c.given), c.expected) << c.given;
}

}  // namespace
}  // namespace noemie::app
