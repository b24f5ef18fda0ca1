// What the core asks of the system, on each system: names the list shows in Windows-1252 while
// each file is opened by its real name, folders that cannot be listed, and paths longer than
// the old 260-character limit of Windows.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/noemie/file_loading.h"
#include "core/platform/folder_listing.h"
#include "core/store/atomic_file.h"
#include "core/viewer/folder_scan.h"
#include "support/temp_dir.h"

namespace noemie::platform {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

#ifdef _WIN32
constexpr bool kListingGivesTheSize = true;
#else
constexpr bool kListingGivesTheSize = false;
#endif

std::string loaded(const fs::path& path) {
  FileBuffer buffer;
  std::size_t read = 0;
  std::int64_t time = 0;
  if (load_file(path, nullptr, buffer, read, time) != -1) return "(not opened)";
  return std::string(reinterpret_cast<const char*>(buffer.data()), read);
}

TEST(Platform, NamesAreShownInWindows1252AndEachFileOpensByItsRealName) {
  TempDir dir;
  struct Case {
    std::u8string name;
    std::string shown;
  };
  // In scan order: the bytes of the names' UTF-8, whatever the system keeps them in.
  const Case cases[] = {
      {u8"caf\u00E9 1.RSP", "caf\xE9 1.RSP"},
      {u8"\u0103 2.RSP", "? 2.RSP"},  // no Windows-1252 form
      {u8"\u20AC 4.RSP", "\x80 4.RSP"},
      {u8"\U0001F600 3.RSP", "? 3.RSP"},  // outside the Basic Multilingual Plane
  };
  for (const Case& c : cases) dir.write(fs::path(c.name), "bytes of " + c.shown);

  std::error_code error;
  const viewer::ScannedFolder scanned = viewer::scan_pattern(dir.path(), "*.RSP", error);
  ASSERT_FALSE(error);
  ASSERT_EQ(scanned.files.size(), std::size(cases));
  for (std::size_t i = 0; i < scanned.files.size(); ++i) {
    EXPECT_EQ(scanned.files[i].name, cases[i].shown);
    EXPECT_EQ(scanned.path(scanned.files[i]), dir.path() / fs::path(cases[i].name));
    EXPECT_EQ(loaded(scanned.path(scanned.files[i])), "bytes of " + cases[i].shown);
  }
}

// A file is read to its end whatever size its listing gave (a listing can be behind a writer
// on Windows), and its stamp is kept only when the bytes read agree with it: what was read
// then is what the stamp describes.
TEST(Platform, AFileIsReadWholeAndItsStampKeptOnlyWhenTheReadAgrees) {
  TempDir dir;
  const std::string bytes(100'000, 'x');
  const fs::path path = dir.write("00000001.RSP", bytes);
  std::error_code error;
  const FolderListing listing = list_folder(dir.path(), error);
  ASSERT_EQ(listing.size(), 1u);
  ASSERT_TRUE(listing[0].stamp);
  EXPECT_EQ(listing[0].stamp->size, bytes.size());
  for (const std::uint64_t listed_size :
       {std::uint64_t{0}, std::uint64_t{10}, bytes.size(), std::uint64_t{150'000}}) {
    FileStamp listed = *listing[0].stamp;
    listed.size = listed_size;
    FileBuffer buffer;
    std::size_t read = 0;
    std::int64_t time = 0;
    std::optional<FileStamp> stamp;
    ASSERT_EQ(load_file(path, &listed, buffer, read, time, &stamp), -1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.data()), read), bytes);
    // POSIX asks the open file for its size; Windows takes the listing's.
    const bool agrees = listed_size == bytes.size() || !kListingGivesTheSize;
    EXPECT_EQ(stamp.has_value(), agrees) << listed_size;
    if (stamp) {
      EXPECT_EQ(stamp->size, bytes.size());
    }
  }
}

TEST(Platform, AFolderThatCannotBeListedSaysWhy) {
  TempDir dir;
  const fs::path file = dir.write("caisses.dat", "x");
  struct Case {
    fs::path folder;
    std::error_code expected;
  };
  const Case cases[] = {
      {dir.path(), {}},
      {"", std::make_error_code(std::errc::no_such_file_or_directory)},
      {dir.path() / "missing", std::make_error_code(std::errc::no_such_file_or_directory)},
      {dir.path() / "missing" / "deeper",
       std::make_error_code(std::errc::no_such_file_or_directory)},
      {file, std::make_error_code(std::errc::not_a_directory)},
  };
  for (const Case& c : cases) {
    std::error_code error;
    list_folder(c.folder, error);
    EXPECT_EQ(error == c.expected, true) << c.folder << ": " << error.message();
    EXPECT_EQ(check_folder(c.folder) == c.expected, true) << c.folder;
  }
}

TEST(Platform, PathsLongerThan260CharactersAreListedReadAndReplaced) {
  TempDir dir;
  fs::path deep = dir.path();
  for (char part = 'a'; part <= 'e'; ++part) deep /= std::string(60, part);
  ASSERT_GT(deep.native().size(), 300u);
  fs::create_directories(deep);
  dir.write(deep / "00000042.RSP", "a return");

  std::error_code error;
  const viewer::ScannedFolder scanned = viewer::scan_pattern(deep, "*.RSP", error);
  ASSERT_FALSE(error);
  ASSERT_EQ(scanned.files.size(), 1u);
  EXPECT_EQ(loaded(scanned.path(scanned.files[0])), "a return");
  EXPECT_FALSE(check_folder(deep));

  EXPECT_EQ(store::write_file_atomically(deep / "RSPstate.dat", "old"), "");
  EXPECT_EQ(store::write_file_atomically(deep / "RSPstate.dat", "new"), "");
  EXPECT_EQ(loaded(deep / "RSPstate.dat"), "new");
  EXPECT_EQ(list_folder(deep, error).size(), 2u) << "a temporary file was left behind";
}

}  // namespace
}  // namespace noemie::platform
