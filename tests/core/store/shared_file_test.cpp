// Two programs on one flag file or one settings file: each save brings the file up to date
// with its own changes only, under the file's lock; a lock held too long, a full disk and a
// file that cannot be read are reported and leave the file as it was.

#include "core/store/shared_file.h"

#include <gtest/gtest.h>

#include "support/posix_only.h"
#if NOEMIE_POSIX_ONLY  // mounting a small file system
#include <sys/mount.h>
#endif

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>

#include "core/platform/recording_dialogs.h"
#include "core/store/flag_store.h"
#include "core/store/reg_file_registry.h"
#include "core/store/settings.h"
#include "core/store/tree_registry.h"
#include "support/temp_dir.h"

namespace noemie::store {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::read_file;
using testing::TempDir;

// One program's flags on the archive folder `arch`.
struct FlagSession {
  MemoryRegistry registry;
  platform::RecordingDialogs dialogs;
  FlagStore store{registry, dialogs};
  Config config = default_config();

  explicit FlagSession(const fs::path& arch) {
    config.path_arch = arch.string() + "/";
    store.lit_info_traite(config);
  }
  FlagSaveResult save() { return store.ecrit_info_traite(config); }
};

// One program's settings in the settings file `file`.
struct SettingsSession {
  std::ostringstream warnings;
  RegFileRegistry registry;
  platform::RecordingDialogs dialogs;
  Settings settings{registry, dialogs, "/opt/noemie/bin/noemie-viewer"};

  explicit SettingsSession(const fs::path& file) : registry(file, warnings) {
    settings.lit_config();
  }
  // The save of a closing viewer: the record, then the file.
  bool save() { return settings.ecrit_config() && registry.flush(); }
};

void write_bytes(const fs::path& file, std::string_view bytes) {
  std::ofstream(file, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

Config settings_in(const fs::path& file) {
  return SettingsSession(file).settings.config;
}

std::size_t temporary_files(const fs::path& folder) {
  std::size_t n = 0;
  for (const auto& e : fs::directory_iterator(folder)) {
    n += e.path().filename().string().find(".tmp") != std::string::npos;
  }
  return n;
}

TEST(SharedFlagFile, TwoProgramsKeepEachOthersMarksInEitherOrder) {
  for (const bool a_first : {true, false}) {
    TempDir dir;
    dir.write("RSPstate.dat", std::string("\0\0\0\0\0", 5));
    FlagSession a(dir.path());
    FlagSession b(dir.path());
    a.store.rsp_traite_set_(1, 1);
    a.store.rsp_traite_set_(3, 2);
    b.store.rsp_traite_set_(2, 1);
    b.store.rsp_traite_set_(3, 3);
    b.store.rsp_traite_set_(7, 1);  // beyond the file's end: the file grows
    FlagSession& first = a_first ? a : b;
    FlagSession& second = a_first ? b : a;
    ASSERT_TRUE(first.save().written);
    ASSERT_TRUE(second.save().written);
    const char later = a_first ? '\3' : '\2';  // file 3, marked in both: the later save wins
    EXPECT_EQ(read_file(dir.path() / "RSPstate.dat"),
              std::string("\0\1\1", 3) + later + std::string("\0\0\0\1", 4))
        << (a_first ? "a first" : "b first");
    EXPECT_EQ(second.store.info_traite()[2], 1) << "memory follows the file once saved";
  }
}

TEST(SharedFlagFile, AProgramThatChangedNothingWritesNothing) {
  TempDir dir;
  dir.write("RSPstate.dat", std::string("\0\0\0", 3));
  FlagSession idle(dir.path());
  idle.store.rsp_traite("00000009.RSP");  // looked up, grown and repaired: no change
  FlagSession marker(dir.path());
  marker.store.rsp_traite_set_(1, 1);
  ASSERT_TRUE(marker.save().written);
  const FlagSaveResult r = idle.save();
  EXPECT_TRUE(r.saved);
  EXPECT_FALSE(r.written);
  EXPECT_EQ(read_file(dir.path() / "RSPstate.dat"), std::string("\0\1\0", 3));
  // Marks equal to what the file already holds leave it as it is.
  FlagSession same(dir.path());
  same.store.rsp_traite_set_(1, 1);
  EXPECT_FALSE(same.save().written);
}

TEST(SharedSettingsFile, TwoProgramsKeepEachOthersSettingsInEitherOrder) {
  // A file as a first run writes it, with every setting, and one written by hand with a
  // single setting (the others read as their defaults).
  for (const bool full_file : {true, false})
    for (const bool a_first : {true, false}) {
      TempDir dir;
      const fs::path file = dir.path() / "settings.reg";
      if (full_file) {
        settings_in(file);
      } else {
        dir.write("settings.reg",
                  "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\software\\quillon]\r\n"
                  "\"path\"=\"/srv\"\r\n\r\n");
      }
      SettingsSession a(file);
      SettingsSession b(file);
      a.settings.config.path_result = "/cabinet/exports";
      a.settings.config.noemie_pos_x = 10;
      b.settings.config.info_result[3 * 20 + 16] = 444;
      b.settings.config.noemie_abrege = 1;
      b.settings.config.noemie_pos_x = 20;
      ASSERT_TRUE((a_first ? a : b).save());
      ASSERT_TRUE((a_first ? b : a).save());
      const Config saved = settings_in(file);
      EXPECT_EQ(saved.path_result, "/cabinet/exports");
      EXPECT_EQ(saved.info_result[3 * 20 + 16], 444);
      EXPECT_EQ(saved.noemie_abrege, 1);
      EXPECT_EQ(saved.noemie_pos_x, a_first ? 20 : 10) << "the later save wins";
      EXPECT_EQ(saved.path, full_file ? "" : "/srv");
      EXPECT_EQ(a.warnings.str() + b.warnings.str(), "");
    }
}

TEST(SharedSettingsFile, ASecondSaveOfOneProgramPutsNothingBack) {
  TempDir dir;
  const fs::path file = dir.path() / "settings.reg";
  settings_in(file);
  SettingsSession a(file);
  SettingsSession b(file);
  a.settings.config.noemie_abrege = 1;
  ASSERT_TRUE(a.save());
  b.settings.config.path_result = "/b";
  ASSERT_TRUE(b.save());  // takes a's "Abrégé" in
  ASSERT_TRUE(a.save());  // a has nothing new: b's export folder stays
  a.settings.config.noemie_taille_x = 900;
  ASSERT_TRUE(a.save());
  const Config saved = settings_in(file);
  EXPECT_EQ(saved.noemie_abrege, 1);
  EXPECT_EQ(saved.path_result, "/b");
  EXPECT_EQ(saved.noemie_taille_x, 900);
}

// A save of each store, with its options, on the folder given; and its file.
struct SaveCase {
  const char* what;
  const char* file;
  // Leaves the file as a previous run would, in `folder`.
  std::function<void(const fs::path& folder)> previous_run;
  // Loads, changes something, and saves with `options`; "" or why the save failed.
  std::function<std::string(const fs::path& folder, const SharedFileOptions& options)> save;

  // The previous run, and the file it left: what a failed save must leave in place.
  std::string prepare(const fs::path& folder) const {
    previous_run(folder);
    return read_file(folder / file);
  }
};

const SaveCase kSaveCases[] = {
    {"flags", "RSPstate.dat",
     [](const fs::path& folder) {
       write_bytes(folder / "RSPstate.dat", std::string("\0\1\2\3", 4));
     },
     [](const fs::path& folder, const SharedFileOptions& options) {
       FlagSession s(folder);
       s.store.set_save_options(options);
       s.store.rsp_traite_set_(300, 1);
       return s.save().error;
     }},
    {"settings", "settings.reg",
     [](const fs::path& folder) { settings_in(folder / "settings.reg"); },
     [](const fs::path& folder, const SharedFileOptions& options) {
       SettingsSession s(folder / "settings.reg");
       s.registry.set_save_options(options);
       s.settings.config.path_result = std::string(250, 'x');
       s.save();
       return s.registry.last_error();
     }},
};

TEST(SharedFile, ALockHeldTooLongIsReportedAndTheChangesWaitForTheNextSave) {
  for (const SaveCase& c : kSaveCases) {
    TempDir dir;
    const std::string before = c.prepare(dir.path());
    {
      const FileLock other = FileLock::acquire(dir.path() / c.file, 1s);
      ASSERT_TRUE(other) << other.error();
      const std::string error = c.save(dir.path(), {.lock_wait = 50ms});
      EXPECT_NE(error.find("another program held it"), std::string::npos) << c.what << error;
      EXPECT_EQ(read_file(dir.path() / c.file), before) << c.what;
    }
    EXPECT_EQ(c.save(dir.path(), {.lock_wait = 50ms}), "") << c.what;
    EXPECT_NE(read_file(dir.path() / c.file), before) << c.what;
  }
}

TEST(SharedFile, AFullDiskIsReportedAndLeavesThePreviousFileWhole) {
  for (const SaveCase& c : kSaveCases) {
    TempDir dir;
    const std::string before = c.prepare(dir.path());
    const std::string error = c.save(dir.path(), {.write = {.room_left = 100}});
    EXPECT_NE(error.find("No space left on device"), std::string::npos) << c.what << error;
    EXPECT_EQ(read_file(dir.path() / c.file), before) << c.what;
    EXPECT_EQ(temporary_files(dir.path()), 0u) << c.what;
  }
}

#if NOEMIE_POSIX_ONLY  // mounting a small file system
// The same on a real file system that is full, where the machine lets the test make one.
TEST(SharedFile, ARealFullDiskIsReportedAndLeavesThePreviousFileWhole) {
  TempDir dir;
  const fs::path disk = dir.path() / "disk";
  fs::create_directories(disk);
  if (::mount("noemie-test", disk.c_str(), "tmpfs", 0, "size=64k") != 0) {
    GTEST_SKIP() << "no small file system can be mounted here (needs root)";
  }
  for (const SaveCase& c : kSaveCases) {
    const std::string before = c.prepare(disk);
    {  // Fill what room is left.
      std::ofstream filler(disk / "filler", std::ios::binary);
      const std::string block(4096, 'f');
      while (filler.write(block.data(), static_cast<std::streamsize>(block.size()))) {
      }
    }
    const std::string error = c.save(disk, {});
    EXPECT_NE(error, "") << c.what;
    EXPECT_EQ(read_file(disk / c.file), before) << c.what;
    EXPECT_EQ(temporary_files(disk), 0u) << c.what;
    fs::remove(disk / "filler");
  }
  ::umount(disk.c_str());
}
#endif

}  // namespace
}  // namespace noemie::store
