#include "core/store/reg_file_registry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "core/store/reg_format.h"
#include "support/posix_only.h"
#include "support/temp_dir.h"

namespace noemie::store {
namespace {

namespace fs = std::filesystem;
using testing::read_file;
using testing::TempDir;

std::size_t line_count(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

std::size_t file_count(const fs::path& folder) {
  return static_cast<std::size_t>(
      std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(RegFileRegistry, SavesWhenAKeyIsClosedAfterAChange) {
  TempDir dir;
  const auto file = dir.path() / "config" / "noemie-viewer" / "settings.reg";
  std::ostringstream warnings;
  RegFileRegistry reg(file, warnings);
  {
    RegistryKey k = reg.create_key("software\\quillon");
    ASSERT_TRUE(k);
    reg.set_value(k, "path", kRegSz, "C:\\Progs");
    EXPECT_FALSE(fs::exists(file)) << "saved before the key was closed";
  }
  EXPECT_EQ(read_file(file),
            "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\software]\r\n\r\n"
            "[HKEY_CURRENT_USER\\software\\quillon]\r\n\"path\"=\"C:\\\\Progs\"\r\n\r\n");

  fs::remove(file);
  reg.open_key("software\\quillon").close();  // no change: nothing to save
  EXPECT_FALSE(fs::exists(file));
  EXPECT_TRUE(reg.flush());
  EXPECT_EQ(warnings.str(), "");
}

TEST(RegFileRegistry, AChangeSpanningSeveralKeysIsSavedWhenTheLastOneCloses) {
  TempDir dir;
  const auto file = dir.path() / "settings.reg";
  std::ostringstream warnings;
  RegFileRegistry reg(file, warnings);
  RegistryKey program = reg.create_key("software\\quillon");
  {
    RegistryKey profile = reg.create_key("software\\quillon\\config2");
    reg.set_dword(profile, "delai", 30);
  }
  EXPECT_FALSE(fs::exists(file)) << "saved half-way through";
  EXPECT_TRUE(program.close());
  EXPECT_NE(read_file(file).find("[HKEY_CURRENT_USER\\software\\quillon\\config2]"),
            std::string::npos);
}

TEST(RegFileRegistry, ASecondRunReadsWhatTheFirstSaved) {
  TempDir dir;
  const auto file = dir.path() / "settings.reg";
  std::ostringstream warnings;
  {
    RegFileRegistry first(file, warnings);
    RegistryKey k = first.create_key("software\\quillon\\config2");
    first.set_dword(k, "noemie taille x", 640);
    first.set_value(k, "info_result", kRegBinary, std::string(1440, '\x7F'));
  }
  RegFileRegistry second(file, warnings);
  RegistryKey k = second.open_key("Software\\Quillon\\Config2");
  ASSERT_TRUE(k);
  std::array<char, 4> field{};
  EXPECT_TRUE(second.query_value(k, "noemie taille x", field));
  EXPECT_EQ(field, (std::array<char, 4>{static_cast<char>(0x80), 2, 0, 0}));
  const auto size = second.query_value_size(k, "info_result");
  ASSERT_TRUE(size);
  EXPECT_EQ(size->length, 1440u);
  EXPECT_EQ(warnings.str(), "");
}

TEST(RegFileRegistry, AFileWithGarbageIsKeptAsideAndTheRunGoesOn) {
  TempDir dir;
  const std::string original =
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\software\\quillon]\r\n\"path\"=\"kept\"\r\n"
      "\x01\x02 this is not a registry line\r\n\"delai\"=dword:0000001e\r\n";
  const auto file = dir.write("settings.reg", original);
  std::ostringstream warnings;
  RegFileRegistry reg(file, warnings);

  EXPECT_EQ(read_file(dir.path() / "settings.reg.bad"), original);
  EXPECT_EQ(line_count(warnings.str()), 1u) << warnings.str();
  EXPECT_NE(warnings.str().find("settings.reg.bad"), std::string::npos) << warnings.str();
  RegistryKey k = reg.open_key("software\\quillon");
  ASSERT_TRUE(k);
  EXPECT_TRUE(reg.query_value_size(k, "path"));
  EXPECT_TRUE(reg.query_value_size(k, "delai"));

  reg.set_value(k, "path", kRegSz, "changed");
  EXPECT_TRUE(k.close());
  EXPECT_TRUE(parse_reg_text(read_file(file)).ok());
  EXPECT_EQ(read_file(dir.path() / "settings.reg.bad"), original);
}

TEST(RegFileRegistry, ReadOnlyModeNeverWritesAnything) {
  TempDir dir;
  const std::string original = "not a registry file at all\r\n";
  const auto file = dir.write("settings.reg", original);
  std::ostringstream warnings;
  {
    RegFileRegistry reg(file, warnings, RegFileRegistry::Mode::ReadOnly);
    RegistryKey k = reg.create_key("software\\quillon");
    EXPECT_TRUE(reg.set_value(k, "path", kRegSz, "in memory"));
    EXPECT_TRUE(k.close());
    EXPECT_TRUE(reg.flush());
    EXPECT_TRUE(reg.open_key("software\\quillon"));  // the change lives in memory
  }
  EXPECT_EQ(read_file(file), original);
  EXPECT_EQ(file_count(dir.path()), 1u) << "no .bad copy, no temporary file";
  EXPECT_EQ(line_count(warnings.str()), 1u);

  RegFileRegistry missing(dir.path() / "none" / "settings.reg", warnings,
                          RegFileRegistry::Mode::ReadOnly);
  missing.create_key("k").close();
  EXPECT_FALSE(fs::exists(dir.path() / "none"));
}

TEST(RegFileRegistry, AFailedSaveIsReportedOnceAndRetriedLater) {
  TempDir dir;
  const auto file = dir.write("settings.reg", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\k]\r\n\r\n");
  std::ostringstream warnings;
  RegFileRegistry reg(file, warnings);
  // Something takes the file's place after loading, so that the rename of a save fails.
  fs::remove(file);
  fs::create_directories(file / "occupied");

  RegistryKey k = reg.open_key("k");
  reg.set_value(k, "v", kRegSz, "x");
  EXPECT_FALSE(k.close());
  EXPECT_NE(reg.last_error(), "");
  EXPECT_FALSE(reg.flush());
  EXPECT_EQ(line_count(warnings.str()), 1u) << warnings.str();
  EXPECT_TRUE(fs::is_directory(file / "occupied"));
  EXPECT_EQ(file_count(dir.path()), 2u) << "more than the file's lock file was left behind";

  // Once the place is free again, the pending change is saved.
  fs::remove_all(file);
  EXPECT_TRUE(reg.flush());
  EXPECT_EQ(reg.last_error(), "");
  EXPECT_NE(read_file(file).find("\"v\"=\"x\""), std::string::npos);
}

TEST(RegFileRegistry, AFileThatCannotBeReadIsNeverReplaced) {
  TempDir dir;
  const auto file = dir.path() / "settings.reg";
  fs::create_directories(file / "inside");
  std::ostringstream warnings;
  {
    RegFileRegistry reg(file, warnings);
    EXPECT_EQ(line_count(warnings.str()), 1u);
    reg.create_key("k").close();
    EXPECT_FALSE(reg.flush());
    EXPECT_NE(reg.last_error(), "");
  }
  EXPECT_TRUE(fs::is_directory(file / "inside"));
  EXPECT_FALSE(fs::exists(dir.path() / "settings.reg.bad"));
}

#if NOEMIE_POSIX_ONLY  // the settings file stands in for a registry, which Windows has
TEST(SettingsFilePath, FollowsTheEnvironment) {
  struct Case {
    std::map<std::string, std::string> env;
    std::optional<fs::path> expected;
  };
  const Case cases[] = {
      {{{"NOEMIE_VIEWER_SETTINGS", "/x/s.reg"}, {"XDG_CONFIG_HOME", "/c"}, {"HOME", "/h"}},
       fs::path("/x/s.reg")},
      {{{"NOEMIE_VIEWER_SETTINGS", ""}, {"XDG_CONFIG_HOME", "/c"}, {"HOME", "/h"}},
       fs::path("/c/noemie-viewer/settings.reg")},
      {{{"XDG_CONFIG_HOME", "relative"}, {"HOME", "/h"}},
       fs::path("/h/.config/noemie-viewer/settings.reg")},
      {{{"HOME", "/h"}}, fs::path("/h/.config/noemie-viewer/settings.reg")},
      {{}, std::nullopt},
  };
  for (const auto& c : cases) {
    const auto lookup = [&](std::string_view name) -> std::optional<std::string> {
      const auto it = c.env.find(std::string(name));
      return it == c.env.end() ? std::nullopt : std::optional<std::string>(it->second);
    };
    EXPECT_EQ(settings_file_path(lookup), c.expected);
  }
}
#endif

}  // namespace
}  // namespace noemie::store
