#include "core/viewer/folder_scan.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/platform/clock.h"
#include "support/posix_only.h"
#include "support/temp_dir.h"

namespace noemie::viewer {
namespace {

TEST(FolderScan, PatternMatching) {
  struct Case {
    const char* name;
    const char* pattern;
    bool match;
  } cases[] = {
      {"00012.RSP", "*.RSP", true},   {"00012.rsp", "*.RSP", true}, {"12.a.RSP", "*.RSP", true},
      {"12.RSP.bak", "*.RSP", false}, {"RSP", "*.RSP", false},      {"x.RSPX", "*.RSP", false},
      {"00012", "*.", true},          {"00012.", "*.", false},      {"a.b", "*.", false},
      {"x.", "*.DAT", false},         {"x.dat", "*.DAT", true},     {"x.DAT", "bad", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(matches_pattern(c.name, c.pattern), c.match) << c.name << " " << c.pattern;
  }
}

TEST(FolderScan, OrderIgnoresAsciiCaseThenBytes) {
  std::vector<std::string> names = {"b.RSP", "A.RSP", "a.RSP", "_x.RSP", "10.RSP", "9.RSP"};
  std::sort(names.begin(), names.end(), scan_order_less);
  // "_" (0x5F) sorts after upper-case letters; "A" before "a" by bytes on a tie.
  EXPECT_EQ(names,
            (std::vector<std::string>{"10.RSP", "9.RSP", "A.RSP", "a.RSP", "b.RSP", "_x.RSP"}));
}

TEST(FolderScan, SkipsDotNamesFoldersAndOtherPatterns) {
  testing::TempDir dir;
  dir.write("2.RSP", "x");
  dir.write("1.rsp", "x");
  dir.write(".hidden.RSP", "x");
  dir.write("3.ARL", "x");
  std::filesystem::create_directory(dir.path() / "4.RSP");
  std::vector<std::string> expected = {"1.rsp", "2.RSP"};
#if NOEMIE_POSIX_ONLY  // symbolic links
  std::filesystem::create_symlink(dir.path() / "missing", dir.path() / "5.RSP");
  expected.push_back("5.RSP");  // a dangling link is still listed
#endif
  std::error_code ec;
  const ScannedFolder scanned = scan_pattern(dir.path(), "*.RSP", ec);
  ASSERT_FALSE(ec);
  std::vector<std::string> names;
  for (const ScannedFile& file : scanned.files) names.push_back(file.name);
  EXPECT_EQ(names, expected);
  EXPECT_EQ(scanned.path(scanned.files[0]), dir.path() / "1.rsp");
}

TEST(FolderScan, FileTimeIsModificationTimeInUtc) {
  testing::TempDir dir;
  const auto path = dir.write("7.RSP", "x");
  // 27 Nov 2023 12:00:00 UTC
  const auto when =
      std::chrono::sys_days{std::chrono::year{2023} / 11 / 27} + std::chrono::hours(12);
  std::filesystem::last_write_time(
      path, std::filesystem::file_time_type::clock::from_sys(
                std::chrono::time_point_cast<std::chrono::system_clock::duration>(when)));
  std::error_code ec;
  const auto files = scan_pattern(dir.path(), "*.RSP", ec).files;
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].file_time, platform::to_file_time(when));
}

TEST(FolderScan, NamesAreShownAsWindows1252) {
  EXPECT_EQ(display_name(std::filesystem::path(u8"r\u00E9sum\u00E9.RSP")), "r\xE9sum\xE9.RSP");
  EXPECT_EQ(display_name(std::filesystem::path(u8"snow\u2603.RSP")), "snow?.RSP");
  EXPECT_EQ(display_name(std::filesystem::path(u8"\u20AC\U0001F600.RSP")), "\x80?.RSP");
#if NOEMIE_POSIX_ONLY  // a name of bytes that are not UTF-8 exists on POSIX only
  EXPECT_EQ(display_name("raw\xE9.RSP"), "raw\xE9.RSP");
#endif
}

TEST(FolderScan, MissingFolderIsAnError) {
  std::error_code ec;
  EXPECT_TRUE(scan_pattern("/nonexistent/folder/for/test", "*.RSP", ec).files.empty());
  EXPECT_TRUE(ec);
}

}  // namespace
}  // namespace noemie::viewer
