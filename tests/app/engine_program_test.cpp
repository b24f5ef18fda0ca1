// The desktop program's start-up and close over the real engine and settings store, with a
// front end that only records: what a cancelled choice leaves (nothing), what a chosen folder
// or a folder argument becomes, what the user is told when the settings cannot be read or
// written, and where the error dialog's "Envoyer" goes.

#include <gtest/gtest.h>

#include <map>

#include "app/startup.h"
#include "core/store/registry_snapshot.h"
#include "core/store/settings.h"
#include "program_fixture.h"
#include "recording_front.h"

namespace noemie::testing {
namespace {

// Every file under `folder` with its bytes.
std::map<fs::path, std::string> snapshot(const fs::path& folder) {
  std::map<fs::path, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    files[entry.path()] = entry.is_regular_file() ? read_file(entry.path()) : "<folder>";
  }
  return files;
}

store::KeyNode registry_contents(store::Registry& registry) {
  store::KeyNode current_user("HKEY_CURRENT_USER");
  store::copy_key_into_tree(registry, "", current_user);
  return current_user;
}

struct Session {
  RecordingFront front;  // made first, so that it outlives the program
  ProgramFixture f;
  int rows_shown = -1;

  explicit Session(bool with_settings = true) : f(with_settings) {
    front.while_shown = [this] { rows_shown = f.list().row_count(); };
  }
  int start(const std::optional<fs::path>& folder_argument = std::nullopt) {
    f.make(front);
    return app::run_startup(*f.program, f.dialogs, folder_argument);
  }
};

TEST(EngineProgram, ACancelledChoiceEndsWithOneAndWritesNothing) {
  for (const bool first_run : {true, false}) {
    for (const bool in_registry : {false, true}) {
      store::MemoryRegistry registry;  // outlives the program
      Session run(!first_run);
      if (in_registry) run.f.system_registry = &registry;
      if (!first_run) run.f.write_settings([](store::Config& c) { c.path = "/srv/retours/mai"; });
      run.f.put("00000042.RSP", return_file("531"));
      const auto files = snapshot(run.f.dir.path());
      EXPECT_EQ(run.start(), 1);
      EXPECT_EQ(snapshot(run.f.dir.path()), files);
      EXPECT_TRUE(registry_contents(registry).same_tree(store::KeyNode("HKEY_CURRENT_USER")));
      EXPECT_EQ(run.f.dialogs.folder_titles, std::vector<std::string>{app::kFolderChooserTitle});
      const fs::path start = first_run || in_registry ? "" : "/srv/retours/mai";
      EXPECT_EQ(run.f.dialogs.rec.folder_starts, std::vector<fs::path>{start});
      EXPECT_EQ(run.rows_shown, -1);
    }
  }
}

TEST(EngineProgram, AChosenFolderOrAFolderArgumentIsViewedAndStoredInPath) {
  for (const bool argument : {false, true}) {
    Session run;
    run.f.put("00000042.RSP", return_file("531"));
    if (!argument) run.f.dialogs.rec.folder_answers.push_back(run.f.returns());
    EXPECT_EQ(run.start(argument ? std::optional(run.f.returns()) : std::nullopt), 0);
    EXPECT_EQ(run.rows_shown, 1);
    EXPECT_EQ(run.f.dialogs.folder_titles.size(), argument ? 0u : 1u);
    EXPECT_EQ(run.f.saved_settings().path, run.f.returns().string());
    EXPECT_TRUE(run.f.dialogs.rec.boxes.empty());
  }
}

TEST(EngineProgram, ASessionInTheSystemRegistryWritesOnlyWhatItChanged) {
  store::MemoryRegistry registry;  // outlives the program
  Session run;
  run.f.system_registry = &registry;
  run.f.put("00000042.RSP", return_file("531"));
  run.front.rect = {30, 40, 700, 500};
  EXPECT_EQ(run.start(run.f.returns()), 0);
  // A first run: the defaults made the program key, and the session's values are in it.
  store::Settings read(registry, run.f.dialogs, "");
  read.lit_config();
  EXPECT_EQ(read.config.path, run.f.returns().string());
  EXPECT_EQ(read.config.noemie_pos_x, 30);
  EXPECT_EQ(read.config.noemie_taille_y, 500);

  // A value another program sets during a second session that does not change it stays.
  Session again;
  again.f.system_registry = &registry;
  again.front.rect = {30, 40, 700, 500};
  again.front.while_shown = [&registry] {
    store::RegistryKey key = registry.open_key("software\\quillon");
    registry.set_dword(key, "noemie pos y", 77);
  };
  EXPECT_EQ(again.start(run.f.returns()), 0);
  store::Settings reread(registry, run.f.dialogs, "");
  reread.lit_config();
  EXPECT_EQ(reread.config.noemie_pos_y, 77);
  EXPECT_TRUE(again.f.dialogs.rec.boxes.empty());
}

TEST(EngineProgram, AnUnreadableSettingsFileIsSaidAndTheStartGoesOn) {
  const struct {
    bool folder;  // the settings path is a folder: it cannot be read at all
    const char* said;
  } cases[] = {{false, "settings.reg.bad"}, {true, "laiss\xE9 tel quel"}};
  for (const auto& c : cases) {
    Session run(false);
    const std::string garbage = "not a settings file\r\n[\x01\x02";
    if (c.folder) {
      fs::create_directory(run.f.settings_path);
    } else {
      run.f.dir.write("settings.reg", garbage);
    }
    EXPECT_EQ(run.start(), 1);  // asked all the same, then cancelled
    EXPECT_EQ(run.f.dialogs.rec.folder_starts.size(), 1u);
    ASSERT_EQ(run.f.dialogs.rec.boxes.size(), 1u);
    EXPECT_NE(run.f.dialogs.rec.boxes[0].text.find(c.said), std::string::npos)
        << run.f.dialogs.rec.boxes[0].text;
    EXPECT_FALSE(run.f.warnings.str().empty());
    if (!c.folder) {
      EXPECT_EQ(read_file(run.f.dir.path() / "settings.reg.bad"), garbage);
      EXPECT_EQ(read_file(run.f.settings_path), garbage);
    }
  }
}

TEST(EngineProgram, ASettingsSaveThatFailsAtTheEndIsSaid) {
  for (const bool in_registry : {false, true}) {
    store::MemoryRegistry registry;  // outlives the program
    Session run;
    if (in_registry) run.f.system_registry = &registry;
    run.f.put("00000042.RSP", return_file("531"));
    run.front.while_shown = [&] {
      // Something now stands where the settings file was, or the registry refuses writes.
      if (in_registry) {
        registry.refuse_writes = true;
      } else {
        fs::remove(run.f.settings_path);
        fs::create_directories(run.f.settings_path / "inside");
      }
    };
    EXPECT_EQ(run.start(run.f.returns()), 0);
    ASSERT_EQ(run.f.dialogs.rec.boxes.size(), 1u) << in_registry;
    const std::string& text = run.f.dialogs.rec.boxes[0].text;
    EXPECT_NE(text.find("n'ont pas pu \xEAtre enregistr\xE9s"), std::string::npos);
    const std::string where =
        in_registry ? "HKEY_CURRENT_USER\\software\\quillon" : run.f.settings_path.string();
    EXPECT_NE(text.find(where), std::string::npos) << text;
  }
}

TEST(EngineProgram, FaultsOpenTheErrorDialogExceptSilentOnesAndEnvoyerMails) {
  Session run;
  run.front.press_send = true;
  run.f.put("00000042.RSP", return_file("531"));
  run.f.put("00000043.RSP", "");                     // empty: silent
  run.f.put("00000044.RSP", std::string(127, '0'));  // below 128 bytes: silent
  run.f.put("00000045.RSP", std::string(300, 'x'));  // no message start: shown
  EXPECT_EQ(run.start(run.f.returns()), 0);
  ASSERT_EQ(run.front.faults.size(), 1u);
  EXPECT_EQ(run.front.faults[0].path.filename(), "00000045.RSP");
  ASSERT_EQ(run.f.shell.opened.size(), 1u);
  EXPECT_EQ(run.f.shell.opened[0].rfind("mailto:", 0), 0u);
  EXPECT_NE(run.f.shell.opened[0].find("00000045.RSP"), std::string::npos);
  EXPECT_EQ(run.rows_shown, 1);
}

}  // namespace
}  // namespace noemie::testing
