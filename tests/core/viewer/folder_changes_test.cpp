// The folder changing while the list fills (another workstation writing new returns,
// archiving or deleting old ones): return files deleted, truncated, replaced, replaced by a
// folder or still being written give a fault of the fault table or are left out; no fill
// crashes or hangs, and every row listed belongs to a file of the folder.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <random>
#include <set>
#include <thread>

#include "core/noemie/fault_report.h"
#include "viewer_fixture.h"

namespace noemie::viewer {
namespace {

namespace fs = std::filesystem;
using testing::return_file;
using testing::ViewerFixture;

constexpr int kFiles = 40;
constexpr int kFills = 40;

std::string name_of(int file) {
  char name[16];
  std::snprintf(name, sizeof name, "%08d.RSP", file);
  return name;
}

// Changes the files of `folder` until `stop`, in every way another program may change them.
void change_files(const fs::path& folder, const std::vector<std::string>& contents,
                  const std::atomic<bool>& stop) {
  std::mt19937 rng(7);
  std::error_code ec;
  while (!stop) {
    const int file = static_cast<int>(rng() % kFiles);
    const fs::path path = folder / name_of(file);
    const std::string& bytes = contents[rng() % contents.size()];
    fs::remove_all(path, ec);
    switch (rng() % 5) {
      case 0:  // deleted
        break;
      case 1:  // written again, then cut anywhere
        std::ofstream(path, std::ios::binary) << bytes;
        fs::resize_file(path, rng() % (bytes.size() + 1), ec);
        break;
      case 2: {  // replaced whole by a rename
        const fs::path next = folder / ("next-" + std::to_string(file) + ".tmp");
        std::ofstream(next, std::ios::binary) << bytes;
        fs::rename(next, path, ec);
        break;
      }
      case 3:  // a folder of that name
        fs::create_directory(path, ec);
        break;
      case 4: {  // still being written, a few bytes at a time
        std::ofstream out(path, std::ios::binary);
        for (std::size_t at = 0; at < bytes.size() && !stop; at += 97) {
          out << bytes.substr(at, 97) << std::flush;
          std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        break;
      }
    }
  }
}

TEST(FolderChanges, FillsWhileFilesChangeGiveFaultsOrSkipThemAndNeverCrash) {
  ViewerFixture f;
  const std::vector<std::string> contents = {return_file("531"),
                                             return_file("577", "EU", {1650, 2200, 300}, 4150),
                                             return_file("930"), std::string(300, 'x')};
  for (int file = 0; file < kFiles; ++file) f.put(name_of(file), contents[file % 3]);
  Viewer& v = f.open();
  std::atomic<bool> stop = false;
  std::thread changer(change_files, f.folder(), std::cref(contents), std::cref(stop));
  int rows = 0;
  std::set<std::string> strangers;  // rows of files that were never in the folder
  for (int fill = 0; fill < kFills; ++fill) {
    v.remplit_aff();
    rows += v.list().row_count();
    for (int r = 0; r < v.list().row_count(); ++r) {
      const std::string fichier(v.list().cell(r, kColFichier));
      const int number = std::atoi(fichier.c_str());
      if (number < 0 || number >= kFiles) strangers.insert(fichier);
    }
  }
  stop = true;
  changer.join();
  EXPECT_EQ(strangers, std::set<std::string>{});

  std::set<int> codes;
  for (const FaultReport& fault : f.reporter.reports) {
    codes.insert(fault.code);
    EXPECT_FALSE(fault_message(fault.code).empty()) << fault.code;
    EXPECT_EQ(fault.description, std::string(fault_message(fault.code)) + "\r\n");
    EXPECT_EQ(fault.path.parent_path(), f.folder());
  }
  EXPECT_GT(rows, 0);
  std::string seen;
  for (const int code : codes) seen += std::to_string(code) + " ";
  std::printf("%d fills of %d changing files: %d rows, %zu faults (codes %s)\n", kFills, kFiles,
              rows, f.reporter.reports.size(), seen.c_str());
}

}  // namespace
}  // namespace noemie::viewer
