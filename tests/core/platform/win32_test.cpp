// Windows only: how paths are read (drive letters, shares, the "\\?\" form of long paths), and
// a replacement that another program's open file refuses.

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "core/platform/absolute_path.h"
#include "core/platform/win32/long_path.h"
#include "core/store/atomic_file.h"
#include "support/temp_dir.h"

namespace noemie::platform {
namespace {

namespace fs = std::filesystem;

TEST(Win32Paths, AbsolutePathsKeepSharesAndDrivesAndResolveDots) {
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"\\\\serveur\\partage\\retours", L"\\\\serveur\\partage\\retours"},
      {L"\\\\serveur\\partage\\a\\..\\retours\\.", L"\\\\serveur\\partage\\retours"},
      {L"//serveur/partage/retours", L"\\\\serveur\\partage\\retours"},
      {L"C:/Retours/./2024/../2023", L"C:\\Retours\\2023"},
  };
  for (const auto& [given, absolute] : cases) {
    EXPECT_EQ(absolute_path(given).native(), absolute) << fs::path(given);
  }
}

TEST(Win32Paths, LongPathsTakeThePrefixThatLiftsTheLimit) {
  const std::wstring long_part(250, L'r');
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"C:\\Retours\\00000042.RSP", L"C:\\Retours\\00000042.RSP"},  // short: as given
      {L"C:/" + long_part + L"/./x", L"\\\\?\\C:\\" + long_part + L"\\x"},
      {L"\\\\serveur\\partage\\" + long_part, L"\\\\?\\UNC\\serveur\\partage\\" + long_part},
      {L"\\\\?\\C:\\" + long_part, L"\\\\?\\C:\\" + long_part},  // already in that form
  };
  for (const auto& [given, native] : cases) EXPECT_EQ(win32::long_path(given), native);
}

TEST(Win32Paths, AFileHeldOpenByAnotherProgramIsNotReplacedAndSaysSo) {
  testing::TempDir dir;
  const fs::path file = dir.write("RSPstate.dat", "old");
  // Another workstation's viewer holding the file without letting it be deleted or renamed.
  const HANDLE held = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const std::string error = store::write_file_atomically(file, "new");
  CloseHandle(held);
  EXPECT_NE(error.find("cannot replace"), std::string::npos) << error;
  EXPECT_EQ(testing::read_file(file), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace noemie::platform
