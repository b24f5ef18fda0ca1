#include <gtest/gtest.h>

#include "support/posix_only.h"
#if NOEMIE_POSIX_ONLY  // named pipes
#include <sys/stat.h>
#endif

#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "core/decode/table_places.h"
#include "support/temp_dir.h"

namespace noemie::decode {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

// An install unpacked anywhere: the program in prefix/bin, its tables in
// prefix/share/noemie-viewer, run from a practice's folder; plus the configured data folder.
TEST(TablePlaces, PracticeCopyFirstThenTheInstalledOnes) {
  const struct {
    std::vector<std::string> files;  // "caisses.dat/" is a folder, "caisses.dat|" a pipe
    std::string regime_table, fund_directory;
  } cases[] = {
      {{}, "", ""},
      {{"practice/caisses.qvc", "prefix/bin/caisses.qvc", "prefix/share/noemie-viewer/caisses.qvc",
        "prefix/bin/caisses.dat", "prefix/share/noemie-viewer/caisses.dat"},
       "practice/caisses.qvc",
       "prefix/bin/caisses.dat"},
      {{"prefix/bin/caisses.qvc", "prefix/share/noemie-viewer/caisses.qvc",
        "prefix/share/noemie-viewer/caisses.dat", "configured/caisses.dat"},
       "prefix/bin/caisses.qvc",
       "prefix/share/noemie-viewer/caisses.dat"},
      {{"prefix/share/noemie-viewer/caisses.qvc", "configured/caisses.qvc",
        "configured/caisses.dat"},
       "prefix/share/noemie-viewer/caisses.qvc",
       "configured/caisses.dat"},
      // The practice's folder holds no fund directory; what is not a plain file is passed over.
      {{"practice/caisses.dat", "prefix/bin/caisses.dat/", "practice/caisses.qvc|",
        "configured/caisses.qvc"},
       "configured/caisses.qvc",
       ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.files));
    TempDir dir;
    for (const fs::path folder : {"practice", "prefix/bin", "configured"}) {
      fs::create_directories(dir.path() / folder);
    }
    for (std::string name : c.files) {
      const char kind = name.back();
      if (kind == '/' || kind == '|') name.pop_back();
      if (kind == '/')
        fs::create_directories(dir.path() / name);
      else if (kind == '|') {
#if NOEMIE_POSIX_ONLY  // named pipes; without one the case expects the same tables
        ASSERT_EQ(::mkfifo((dir.path() / name).c_str(), 0600), 0);
#endif
      } else
        dir.write(name, "[=01 A;B\r\n]");
    }
    TablePlaces places = table_places(dir.path() / "prefix/bin/noemie-viewer");
    EXPECT_EQ(places.data_folder, dir.path() / "prefix/share/noemie-viewer");
    places.current_folder = dir.path() / "practice";
    places.configured_data_folder = dir.path() / "configured";

    const auto entries = [&] {
      return std::distance(fs::recursive_directory_iterator(dir.path()), {});
    };
    const auto before = entries();
    const TableFiles found = find_table_files(places);
    EXPECT_EQ(entries(), before) << "finding created a file";
    const auto in_dir = [&](const std::string& f) {
      return f.empty() ? fs::path() : dir.path() / f;
    };
    EXPECT_EQ(found.regime_table, in_dir(c.regime_table));
    EXPECT_EQ(found.fund_directory, in_dir(c.fund_directory));
  }
}

}  // namespace
}  // namespace noemie::decode
