// Start-up: the order of its steps, the cancelled choice, and the folder of the command line.

#include <QTest>

#include "core/platform/recording_dialogs.h"
#include "gui/startup.h"
#include "support/temp_dir.h"

using namespace noemie;
namespace fs = std::filesystem;

namespace {

class RecordingProgram final : public gui::DesktopProgram {
 public:
  std::vector<std::string> calls;
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

using Calls = std::vector<std::string>;

}  // namespace

class StartupTest : public QObject {
  Q_OBJECT

 private slots:
  void ChosenFolderRunsTheViewerThenSaves() {
    RecordingProgram program;
    platform::RecordingDialogs dialogs;
    dialogs.folder_answers.push_back(fs::path("/srv/retours/mai"));
    QCOMPARE(gui::run_startup(program, dialogs, std::nullopt), 0);
    QCOMPARE(program.calls, (Calls{"load", "folder", "viewer", "save"}));
    QCOMPARE(program.chosen, fs::path("/srv/retours/mai"));
    QCOMPARE(dialogs.folder_starts, std::vector<fs::path>{program.folder});
  }

  void CancelledChoiceExitsWithOneAndWritesNothing() {
    RecordingProgram program;
    platform::RecordingDialogs dialogs;  // no answer: cancel
    QCOMPARE(gui::run_startup(program, dialogs, std::nullopt), 1);
    QCOMPARE(program.calls, Calls{"load"});
  }

  void FolderOnTheCommandLineIsTakenWithoutAsking() {
    testing::TempDir dir;
    fs::create_directory(dir.path() / "retours");
    RecordingProgram program;
    platform::RecordingDialogs dialogs;
    const fs::path given = dir.path() / "retours" / "";  // with a trailing separator
    QCOMPARE(gui::run_startup(program, dialogs, given), 0);
    QVERIFY(dialogs.folder_starts.empty());
    QCOMPARE(program.chosen, dir.path() / "retours");
    QCOMPARE(program.calls, (Calls{"load", "folder", "viewer", "save"}));
  }

  void MissingFolderOnTheCommandLineIsNamedThenAsked() {
    testing::TempDir dir;
    RecordingProgram program;
    platform::RecordingDialogs dialogs;
    const fs::path missing = dir.path() / "absent";
    QCOMPARE(gui::run_startup(program, dialogs, missing), 1);
    QCOMPARE(dialogs.boxes.size(), std::size_t(1));
    QVERIFY(dialogs.boxes[0].text.find(missing.string()) != std::string::npos);
    QCOMPARE(dialogs.boxes[0].icon, platform::MessageIcon::Warning);
    QCOMPARE(dialogs.folder_starts.size(), std::size_t(1));
    QCOMPARE(program.calls, Calls{"load"});
  }

  void FolderAsChosenIsAbsoluteWithoutTrailingSeparator() {
    const fs::path cwd = fs::current_path();
    const struct {
      fs::path given;
      fs::path expected;
    } cases[] = {
        {"/srv/retours", "/srv/retours"},
        {"/srv/retours/", "/srv/retours"},
        {"/srv/./retours/../retours//", "/srv/retours"},
        {"/", "/"},
        {"samples", cwd / "samples"},
    };
    for (const auto& c : cases) QCOMPARE(gui::folder_as_chosen(c.given), c.expected);
  }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
